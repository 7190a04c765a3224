#include "ledgers/ledger_sheet.h"

namespace qj::ledgers {
namespace {

SheetCell amount(Money value) { return value.isZero() ? SheetCell() : SheetCell(value); }
SheetCell text(std::string_view value) { return value.empty() ? SheetCell() : SheetCell(std::string(value)); }

constexpr SheetColumnKind kText = SheetColumnKind::Text;
constexpr SheetColumnKind kAmount = SheetColumnKind::Amount;

}  // namespace

std::vector<SheetColumn> LedgerColumns(LedgerKind kind, bool foreign, bool withSubject) {
  std::vector<SheetColumn> columns;
  if (withSubject)
    columns.insert(columns.end(), {{"LedgerSubject", "科目编码", kText}, {"SubjectName", "科目名称", kText}});
  columns.insert(
      columns.end(),
      {{"Date", "凭证日期", SheetColumnKind::Date}, {"CredOvoNo", "凭证字号", kText}, {"Precis", "摘要", kText}});
  if (kind == LedgerKind::Journal) columns.push_back({"SubjectID", "对方科目", kText});
  if (foreign) {
    columns.insert(columns.end(), {{"Rate", "汇率", kAmount},
                                   {"RawDebit", "借方原币", kAmount},
                                   {"Debit", "借方本位币", kAmount},
                                   {"RawCredit", "贷方原币", kAmount},
                                   {"Credit", "贷方本位币", kAmount}});
  } else {
    columns.insert(columns.end(), {{"Debit", "借方", kAmount}, {"Credit", "贷方", kAmount}});
  }
  if (kind == LedgerKind::Detail) columns.push_back({"Direct", "方向", kText});
  if (foreign)
    columns.insert(columns.end(), {{"RawBalance", "余额原币", kAmount}, {"Balance", "余额本位币", kAmount}});
  else
    columns.push_back({"Balance", "余额", kAmount});
  return columns;
}

SheetRow LedgerCells(const LedgerRow& row, const LedgerSubject& subject, LedgerKind kind, bool foreign,
                     bool withSubject) {
  SheetRow cells;
  if (withSubject) cells.insert(cells.end(), {text(subject.code), text(subject.name)});
  cells.insert(cells.end(), {row.date, text(row.voucherNo), text(row.summary)});
  if (kind == LedgerKind::Journal) cells.push_back(row.kind == LedgerRowKind::Line ? text(row.subjectId) : SheetCell());
  if (foreign)
    cells.insert(cells.end(), {amount(row.rate), amount(row.rawDebit), amount(row.debit), amount(row.rawCredit),
                               amount(row.credit)});
  else
    cells.insert(cells.end(), {amount(row.debit), amount(row.credit)});
  if (kind == LedgerKind::Detail) cells.push_back(text(row.side));
  if (foreign) cells.push_back(amount(row.rawBalance));
  cells.push_back(amount(row.balance));
  return cells;
}

std::vector<SheetColumn> GeneralLedgerColumns(bool foreign) {
  std::vector<SheetColumn> columns{{"SUBJECTID", "科目编码", kText},
                                   {"SUBNAME", "科目名称", kText},
                                   {"PERIOD", "期间", kText},
                                   {"Precis", "摘要", kText}};
  if (foreign)
    columns.insert(columns.end(), {{"RAWDEBIT", "原币借方", kAmount},
                                   {"DEBIT", "人民币借方", kAmount},
                                   {"RAWCREDIT", "原币贷方", kAmount},
                                   {"CREDIT", "人民币贷方", kAmount},
                                   {"DIRECT", "方向", kText},
                                   {"RAWBalance", "原币余额", kAmount},
                                   {"Balance", "人民币余额", kAmount}});
  else
    columns.insert(columns.end(), {{"DEBIT", "借方", kAmount},
                                   {"CREDIT", "贷方", kAmount},
                                   {"DIRECT", "方向", kText},
                                   {"Balance", "余额", kAmount}});
  return columns;
}

SheetRow GeneralLedgerCells(const GeneralLedgerRow& row, bool foreign) {
  SheetRow cells{text(row.subjectId), text(row.subjectName), PeriodText(row.month), text(row.summary)};
  if (foreign)
    cells.insert(cells.end(), {amount(row.rawDebit), amount(row.debit), amount(row.rawCredit), amount(row.credit),
                               text(row.side), amount(row.rawBalance), amount(row.balance)});
  else
    cells.insert(cells.end(), {amount(row.debit), amount(row.credit), text(row.side), amount(row.balance)});
  return cells;
}

std::string LedgerSubjectHeader(const LedgerSubject& subject, const std::string& currencyName) {
  return "科目：(" + subject.code + ")" + subject.name + " → " + currencyName;
}

std::string LedgerPeriodHeader(int year, int fromMonth, int toMonth) {
  return "会计年度：" + std::to_string(year) + "  会计期间：" + std::to_string(fromMonth) + " 至 " +
         std::to_string(toMonth);
}

}  // namespace qj::ledgers
