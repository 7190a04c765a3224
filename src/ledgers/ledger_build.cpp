#include "ledgers/ledger_build.h"

namespace qj::ledgers {
namespace {

// The running figures of one subject's ledger as its rows are appended.
class LedgerRunner {
 public:
  LedgerRunner(const LedgerSubject& subject, const LedgerOpening& opening, const LedgerFilter& filter,
               std::vector<LedgerRow>& rows)
      : subject_(subject), foreign_(filter.foreign()), year_(filter.year), rows_(rows) {
    // Balances are told on the subject's own side.
    balance_ = subject.debitSide ? opening.balance : -opening.balance;
    rawBalance_ = subject.debitSide ? opening.rawBalance : -opening.rawBalance;
    yearDebit_ = opening.debitBefore;
    yearCredit_ = opening.creditBefore;
    yearRawDebit_ = opening.rawDebitBefore;
    yearRawCredit_ = opening.rawCreditBefore;
    month_ = filter.fromMonth;
    LedgerRow row = balanceRow(LedgerRowKind::Opening, Date(year_, month_, 1), kOpeningSummary);
    rows_.push_back(row);
  }

  void add(const LedgerLine& line, bool journalMode) {
    if (line.date.year() != year_ || line.date.month() != month_) {
      closeMonth();
      month_ = line.date.month();
    }
    // A line with both sides counts only its debit.
    const Money debit = line.debit;
    const Money credit = debit.isZero() ? line.credit : Money();
    Money rawDebit, rawCredit;
    if (foreign_) {
      rawDebit = debit.isZero() ? Money() : line.rawDebit;
      rawCredit = debit.isZero() ? line.rawCredit : Money();
    }
    const int sign = subject_.debitSide ? 1 : -1;
    balance_ += (debit - credit).times(sign);
    rawBalance_ += (rawDebit - rawCredit).times(sign);
    periodDebit_ += debit;
    periodCredit_ += credit;
    periodRawDebit_ += rawDebit;
    periodRawCredit_ += rawCredit;
    yearDebit_ += debit;
    yearCredit_ += credit;
    yearRawDebit_ += rawDebit;
    yearRawCredit_ += rawCredit;

    LedgerRow row = balanceRow(LedgerRowKind::Line, line.date, line.summary);
    if (journalMode) row.subjectId = line.counterpart;
    row.credId = line.credId;
    row.voucherNo = line.voucherNo;
    row.debit = debit;
    row.credit = credit;
    if (foreign_) {
      row.rate = line.rate;
      row.rawDebit = rawDebit;
      row.rawCredit = rawCredit;
    }
    rows_.push_back(row);
  }

  // The current month's 本期合计 and 本年累计, dated its last day.
  void closeMonth() {
    const Date last = GetLastDate(year_, month_);
    LedgerRow period = balanceRow(LedgerRowKind::PeriodTotal, last, kPeriodTotalSummary);
    period.debit = periodDebit_;
    period.credit = periodCredit_;
    LedgerRow year = balanceRow(LedgerRowKind::YearTotal, last, kYearTotalSummary);
    year.debit = yearDebit_;
    year.credit = yearCredit_;
    if (foreign_) {
      period.rawDebit = periodRawDebit_;
      period.rawCredit = periodRawCredit_;
      year.rawDebit = yearRawDebit_;
      year.rawCredit = yearRawCredit_;
    }
    rows_.push_back(period);
    rows_.push_back(year);
    periodDebit_ = periodCredit_ = periodRawDebit_ = periodRawCredit_ = Money();
  }

 private:
  LedgerRow balanceRow(LedgerRowKind kind, Date date, std::string_view summary) const {
    LedgerRow row;
    row.kind = kind;
    row.date = date;
    row.subjectId = subject_.code;
    row.summary = summary;
    row.balance = balance_;
    if (foreign_) row.rawBalance = rawBalance_;
    row.side = balance_.isZero() ? kSettled : (subject_.debitSide ? kDebitSide : kCreditSide);
    return row;
  }

  const LedgerSubject& subject_;
  bool foreign_;
  int year_;
  std::vector<LedgerRow>& rows_;
  int month_ = 1;
  Money balance_, rawBalance_;
  Money periodDebit_, periodCredit_, periodRawDebit_, periodRawCredit_;
  Money yearDebit_, yearCredit_, yearRawDebit_, yearRawCredit_;
};

}  // namespace

bool GetSubjectSide(std::string_view dcFlag) { return dcFlag == "T"; }

LedgerOpening GetLedgerOpening(const balances::BalanceMonth* month, bool foreign) {
  LedgerOpening opening;
  if (!month) return opening;
  opening.balance = month->opening();
  opening.debitBefore = month->yearDebit - month->debit;
  opening.creditBefore = month->yearCredit - month->credit;
  if (foreign) {
    opening.rawBalance = month->rawOpening();
    opening.rawDebitBefore = month->yearRawDebit - month->rawDebit;
    opening.rawCreditBefore = month->yearRawCredit - month->rawCredit;
  }
  return opening;
}

std::string_view FindCounterpartSubject(std::span<LedgerLine* const> voucherLines, const LedgerLine& line) {
  const bool debitLine = !line.debit.isZero();
  const LedgerLine* first = nullptr;
  for (const LedgerLine* other : voucherLines) {
    if (!(debitLine ? other->credit : other->debit).isZero() && (!first || other->fenLuNo < first->fenLuNo))
      first = other;
  }
  return first ? std::string_view(first->subjectId) : std::string_view();
}

void BuildLedger(const LedgerSubject& subject, const LedgerOpening& opening, const LedgerFilter& filter,
                 std::span<const LedgerLine* const> lines, bool journalMode, std::vector<LedgerRow>& rows) {
  LedgerRunner runner(subject, opening, filter, rows);
  for (const LedgerLine* line : lines) runner.add(*line, journalMode);
  runner.closeMonth();
}

}  // namespace qj::ledgers
