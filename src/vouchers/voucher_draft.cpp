#include "vouchers/voucher_draft.h"

#include "vouchers/far_date.h"

#include "base/code_structure.h"
#include "vouchers/entry_checks.h"
#include "vouchers/entry_limits.h"
#include "vouchers/line_amounts.h"
#include "vouchers/phrase_text.h"

namespace qj::vouchers {

namespace {

constexpr std::size_t kMakerCharacters = 10;  // BILLMAKER

using LineBuild = std::variant<VoucherLine, Refusal>;
using CurrencyChoice = std::variant<const Currency*, Refusal>;

Refusal warning(const std::string& text) { return {text, caption::Info, msgbox::IconWarning}; }

bool longerThan(const std::string& text, std::size_t characters) {
  return FirstCharacters(text, characters).size() < text.size();
}

// Whether the screen could have typed the amount: its last integer digit
// went in while the amount without it was under the digit limit.
bool typable(Money amount) { return !OverDigitLimit(Money::fromUnits(amount.units() / 10)); }

// The currency a line of this subject takes: the subject's own one in
// foreign mode 1, the one given in mode 2, none in mode 0.
CurrencyChoice currencyOf(const DraftLine& in, const ChartSubject& subject, const Currencies& currencies) {
  const std::string name = "科目'" + subject.code + "'";
  if (subject.foreignMode == 1 && subject.moneyId != 0) {
    if (in.moneyId && *in.moneyId != subject.moneyId)
      return Refusal{name + "只核算币种" + std::to_string(subject.moneyId)};
    const Currency* own = currencies.find(subject.moneyId);
    if (own == nullptr) return Refusal{"指定的核算外币不存在", caption::Error, msgbox::IconError};
    return own;
  }
  if (!in.moneyId || *in.moneyId == 0) return static_cast<const Currency*>(nullptr);
  if (subject.foreignMode != 2) return Refusal{name + "不核算外币，币种只能为本位币"};
  const Currency* chosen = currencies.find(*in.moneyId);
  if (chosen == nullptr) return Refusal{"币种" + std::to_string(*in.moneyId) + "不存在"};
  return chosen;
}

// The amounts typed into the line's buffers, as the screen computes them.
LineBuild withAmounts(VoucherLine line, const DraftLine& in) {
  for (const Money amount : {in.foreign, in.debit, in.credit})
    if (!IsWholeFen(amount)) return Refusal{"金额最多只能有两位小数：" + amount.toString()};
  if (!in.debit.isZero() && !in.credit.isZero()) return warning("贷方栏已有金额数据，\r\n不可再在借方栏输入");
  const Money given = in.debit.isZero() ? in.credit : in.debit;
  AmountColumn typed = in.debit.isZero() ? AmountColumn::Credit : AmountColumn::Debit;
  if (line.hasForeignCurrency()) {
    if (given.isZero() && !in.foreign.isZero()) return Refusal{"外币分录请写出借方或贷方的本位币金额，以定借贷方向"};
    line.foreignSide = typed == AmountColumn::Debit ? ForeignSide::Debit : ForeignSide::Credit;
    typed = AmountColumn::Foreign;
  } else if (!in.foreign.isZero()) {
    return warning("人民币金额请在借方栏或贷方栏输入");
  }
  const Money typedAmount = typed == AmountColumn::Foreign ? in.foreign : given;
  const auto buffer = AmountBuffer::fromValue(typedAmount);
  if (!buffer) return AmountBuffer::overflowRefusal();
  line.buffer(typed) = *buffer;
  LineResult result = RecomputeFromBuffer(line, typed);
  if (auto* refusal = std::get_if<Refusal>(&result)) return *refusal;
  VoucherLine& next = std::get<VoucherLine>(result);
  const Money local = next.debit.isZero() ? next.credit : next.debit;
  if (!typable(local)) return Refusal{kDigitLimitMessage};
  if (line.hasForeignCurrency() && local != given)
    return Refusal{"外币分录的本位币金额应为原币金额乘以汇率：" + local.toString(2)};
  return next;
}

LineBuild buildLine(const DraftLine& in, const DraftBook& book) {
  if (longerThan(in.summary, kSummaryCharacters))
    return Refusal{"摘要不能超过" + std::to_string(kSummaryCharacters) + "个字"};
  const ChartSubject* subject = book.chart.resolve(in.subject);
  if (auto refusal = book.chart.detailRefusal(subject != nullptr ? subject->code : in.subject)) return *refusal;
  VoucherLine line;
  line.summary = in.summary;
  line.subjectCode = subject->code;
  line.subjectFullName = subject->fullName;
  line.foreignMode = subject->foreignMode;
  line.cashFlow = subject->cashFlow;
  const CurrencyChoice currency = currencyOf(in, *subject, book.currencies);
  if (const auto* refusal = std::get_if<Refusal>(&currency)) return *refusal;
  line = WithCurrency(line, std::get<const Currency*>(currency));
  if (const auto rate = RateOf(in.rate)) {
    if (const auto* refusal = std::get_if<Refusal>(&*rate)) return *refusal;
    const Money typed = std::get<Money>(*rate);
    if (!line.hasForeignCurrency() && !typed.isZero()) return Refusal{"本位币分录不用汇率"};
    if (line.hasForeignCurrency()) line.rate = typed;
  }
  LineBuild built = withAmounts(std::move(line), in);
  if (auto* done = std::get_if<VoucherLine>(&built)) {
    if (auto failure = LineCheck(*done, book.chart)) return failure->refusal;
  }
  return built;
}

std::optional<std::int64_t> typeIdOf(const std::string& type, const DraftBook& book) {
  for (const VoucherType& offered : book.types) {
    if (type.empty() ? offered.id == book.defaultType : offered.name == type || std::to_string(offered.id) == type)
      return offered.id;
  }
  return std::nullopt;
}

}  // namespace

DraftBook DraftBook::load(HostServices& host) {
  data::Connection& db = host.FindStartupDB();
  const AccountBooksData& account = host.accountBooksData();
  DraftBook book;
  book.scheme = account.AccountVoucherType;
  book.currentPeriod = {account.CurrYear, account.CurrMon};
  book.startPeriod = {account.StartYear, account.StartMonth};
  book.types = OfferedVoucherTypes(db, book.scheme);
  book.defaultType = DefaultVoucherType(db, book.currentPeriod, book.scheme);
  book.chart = ChartLookup::load(db, base::CodeStructure(account.SubjectLevelLen));
  book.currencies = Currencies::load(db);
  book.cashBank = CashBankSubjectsOf(host.ReservedSub());
  book.userName = host.asUserName();
  return book;
}

DraftResult CheckDraft(const VoucherDraft& draft, const DraftBook& book) {
  const auto typeId = typeIdOf(draft.type, book);
  if (!typeId) {
    if (draft.type.empty()) return DraftRefusal{{"凭证字号不能为空.", caption::Notice}, std::nullopt};
    return DraftRefusal{{"凭证字'" + draft.type + "'不是本帐套可用的凭证字", caption::Notice}, std::nullopt};
  }
  if (auto refusal = BillNumberRefusal(draft.attachments)) return DraftRefusal{*refusal, std::nullopt};
  if (!book.farDatesAllowed && IsFarAhead(draft.date, book.currentPeriod))
    return DraftRefusal{{FarAheadRefusalText(draft.date, book.currentPeriod), caption::Notice}, std::nullopt};
  CheckedVoucher voucher;
  VoucherHeader& header = voucher.header;
  header.typeId = *typeId;
  header.credDate = draft.date;
  header.billNumber = draft.attachments;
  header.billMaker = draft.maker.value_or(book.userName);
  if (longerThan(header.billMaker, kMakerCharacters))
    return DraftRefusal{{"制单人不能超过" + std::to_string(kMakerCharacters) + "个字"}, std::nullopt};
  for (std::size_t i = 0; i < draft.lines.size(); ++i) {
    LineBuild line = buildLine(draft.lines[i], book);
    if (auto* refusal = std::get_if<Refusal>(&line)) return DraftRefusal{*refusal, i};
    voucher.lines.push_back(std::move(std::get<VoucherLine>(line)));
  }
  // The sequence number is given when the voucher is stored; any valid one
  // stands in for it here.
  header.credNo = 1;
  const SaveCheckInput input{header,           voucher.lines, 0, LineTotals(voucher.lines), book.currentPeriod,
                             book.startPeriod, false,         {}};
  if (auto failure = FirstFailedSaveCheck(input, book.chart)) return DraftRefusal{failure->refusal, failure->line};
  header.credNo = 0;
  std::vector<TypedLine> typed;
  typed.reserve(voucher.lines.size());
  for (const VoucherLine& line : voucher.lines) typed.push_back({line.subjectCode, line.debit, line.credit});
  if (auto refusal = CheckVoucherTypeSubjects(typed, header.typeId, book.scheme, book.cashBank))
    return DraftRefusal{*refusal, std::nullopt};
  return voucher;
}

}  // namespace qj::vouchers
