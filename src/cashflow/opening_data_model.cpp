#include "cashflow/opening_data_model.h"

#include <algorithm>
#include <exception>
#include <map>

#include "base/screen_work.h"
#include "cashflow/cash_flow_items.h"
#include "cashflow/opening_data_store.h"
#include "data/db_error.h"
#include "data/period.h"
#include "hostapi/refusal.h"

namespace qj::cashflow {
namespace {

constexpr const char* kNumerals[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一"};

std::vector<std::string> monthsBefore(int startMonth) {
  std::vector<std::string> months;
  for (int month = 1; month < startMonth && month <= 12; ++month)
    months.push_back(std::string(kNumerals[month - 1]) + "月份");
  return months;
}

// Makes the period's rows match the items: a row for every detail item, none
// for a summary item (which may have been a detail item once).
void fitRowsToItems(data::Connection& db, const std::string& period, const std::vector<CashFlowItem>& items) {
  const std::vector<std::string> stored = SelectOpeningDataCodes(db, period);
  for (const CashFlowItem& item : items) {
    const bool present = std::find(stored.begin(), stored.end(), item.code) != stored.end();
    if (present && !item.detail) DeleteOpeningDataRow(db, period, item.code);
    if (!present && item.detail) InsertEmptyOpeningDataRow(db, period, item.code);
  }
}

}  // namespace

OpeningDataModel::OpeningDataModel(HostServices& host)
    : host_(host), db_(host.FindStartupDB()), months_(monthsBefore(host.accountBooksData().StartMonth)) {}

std::string OpeningDataModel::period() const {
  return ConvYearMon(host_.accountBooksData().StartYear, static_cast<int>(month_) + 1);
}

bool OpeningDataModel::open() {
  month_ = 0;
  return months_.empty() || reload();
}

bool OpeningDataModel::reload() {
  return base::ReportFailures(host_, [&] { load(); });
}

void OpeningDataModel::load() {
  const std::string ym = period();
  const std::vector<CashFlowItem> items = ReadCashFlowItems(db_);
  {
    data::Transaction transaction(db_);
    fitRowsToItems(db_, ym, items);
    transaction.commit();
  }
  std::map<std::string, const CashFlowItem*> byCode;
  for (const CashFlowItem& item : items) byCode[item.code] = &item;
  std::vector<OpeningDataRow> rows = SelectOpeningData(db_, ym);
  for (OpeningDataRow& shown : rows)
    if (auto it = byCode.find(shown.code); it != byCode.end()) {
      shown.name = it->second->name;
      shown.inflow = it->second->inflow;
    }
  std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.code < b.code; });
  rows_ = std::move(rows);
  changed_ = false;
}

bool OpeningDataModel::settleEdits() {
  if (!changed_) return true;
  if (Confirm(host_, kChangedQuestion)) return save();
  changed_ = false;  // the edits are dropped with the rows read next
  return true;
}

void OpeningDataModel::chooseMonth(std::size_t index) {
  if (index >= months_.size() || index == month_) return;
  if (!settleEdits()) return;
  const std::size_t previous = month_;
  month_ = index;
  if (!reload()) {
    month_ = previous;
    reload();
  }
}

const std::vector<OpeningDataColumn>& OpeningDataModel::Columns() {
  using C = OpeningDataColumn;
  static const std::vector<OpeningDataColumn> columns = {C::Code, C::Name, C::Debit, C::Credit, C::Direction};
  return columns;
}

std::string OpeningDataModel::Title(OpeningDataColumn column) {
  switch (column) {
    case OpeningDataColumn::Code:
      return "编码";
    case OpeningDataColumn::Name:
      return "名称";
    case OpeningDataColumn::Debit:
      return "借方期初";
    case OpeningDataColumn::Credit:
      return "贷方期初";
    case OpeningDataColumn::Direction:
      return "方向";
  }
  return {};
}

bool OpeningDataModel::Editable(OpeningDataColumn column) {
  return column == OpeningDataColumn::Debit || column == OpeningDataColumn::Credit;
}

std::string OpeningDataModel::cellText(std::size_t row, OpeningDataColumn column) const {
  const OpeningDataRow& shown = rows_.at(row);
  switch (column) {
    case OpeningDataColumn::Code:
      return shown.code;
    case OpeningDataColumn::Name:
      return shown.name;
    case OpeningDataColumn::Debit:
      return shown.debit.grouped();
    case OpeningDataColumn::Credit:
      return shown.credit.grouped();
    case OpeningDataColumn::Direction:
      return shown.inflow ? "流入" : "流出";
  }
  return {};
}

bool OpeningDataModel::editCell(std::size_t row, OpeningDataColumn column, const std::string& text) {
  if (row >= rows_.size() || !Editable(column)) return false;
  Money amount;
  try {
    if (text.find_first_not_of(" \t") != std::string::npos) amount = ParseEnteredAmount(text);
  } catch (const MoneyError& error) {
    host_.ShowMsgBox(error.what(), caption::Notice, msgbox::IconWarning);
    return false;
  }
  OpeningDataRow& edited = rows_[row];
  Money& cell = column == OpeningDataColumn::Debit ? edited.debit : edited.credit;
  if (cell == amount) return true;
  cell = amount;
  edited.edited = true;
  changed_ = true;
  return true;
}

bool OpeningDataModel::save() {
  if (!changed_) return true;
  const std::string ym = period();
  const bool stored = base::ReportFailures(host_, [&] {
    data::Transaction transaction(db_);
    for (const OpeningDataRow& row : rows_)
      if (row.edited) WriteOpeningAmounts(db_, ym, row);
    transaction.commit();
  });
  if (!stored) return false;  // rolled back; the edits stay for another try
  changed_ = false;
  for (OpeningDataRow& row : rows_) row.edited = false;
  reload();
  return true;
}

bool OpeningDataModel::mayClose() { return settleEdits(); }

}  // namespace qj::cashflow
