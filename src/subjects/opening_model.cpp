#include "subjects/opening_model.h"

#include <exception>

#include "base/screen_work.h"
#include "subjects/account_state_queries.h"
#include "subjects/opening_columns.h"
#include "subjects/opening_row_store.h"
#include "subjects/opening_session.h"
#include "subjects/opening_total_store.h"
#include "subjects/opening_transfer.h"
#include "subjects/opening_working_copy_store.h"

namespace qj::subjects {
namespace {

constexpr int kOpeningPrivilege = 73;
constexpr int kModifyAction = 3;
constexpr int kBookInUse = 1;  // AccountState.STATUS once the ledger is in use

bool isRaw(OpeningField field) {
  return field == OpeningField::RawDebit || field == OpeningField::RawCredit || field == OpeningField::RawBalance;
}

// The local twin of a transaction-currency field.
OpeningField twinOf(OpeningField field) {
  if (field == OpeningField::RawDebit) return OpeningField::Debit;
  if (field == OpeningField::RawCredit) return OpeningField::Credit;
  return OpeningField::Balance;
}

}  // namespace

OpeningModel::OpeningModel(HostServices& host)
    : host_(host), db_(host.FindStartupDB()), structure_(host.accountBooksData().SubjectLevelLen) {}

// Runs one event's database work; a failure is reported and the list is
// read again, so that it shows what the book holds.
template <class Work>
bool OpeningModel::attempt(Work work) {
  if (base::ReportFailures(host_, work)) return true;
  try {
    if (!currencies_.empty()) reload();
  } catch (const std::exception&) {
    // The first report is the one the user needs.
  }
  return false;
}

bool OpeningModel::open() {
  return attempt([&] {
    CreateSubjectStartData(db_);
    SaveWorkingCopy(db_);
    readOnly_ = !host_.HasOvoPrivilege2(kOpeningPrivilege, kModifyAction, false);
    currencies_ = OpeningCurrencies(db_);
    currency_ = 0;
    reload();
  });
}

std::string OpeningModel::currencyCaption() const { return "币种选择：" + currency().name; }

std::string OpeningModel::rateLabel() const {
  if (view() == OpeningView::Foreign) return "汇率：" + currency().rate.toString();
  return {};
}

void OpeningModel::chooseCurrency(int moneyId) {
  for (std::size_t i = 0; i < currencies_.size(); ++i) {
    if (currencies_[i].moneyId != moneyId) continue;
    currency_ = i;
    trialSheet_ = false;
    attempt([&] { reload(); });
    return;
  }
}

void OpeningModel::setLevelOneOnly(bool only) {
  levelOneOnly_ = only;
  attempt([&] { reload(); });
}

OpeningView OpeningModel::view() const {
  if (trialSheet_) return OpeningView::TrialSheet;
  return currencies_.empty() ? OpeningView::Local : ViewOfCurrency(currency().moneyId);
}

std::optional<std::size_t> OpeningModel::findRow(const std::string& subjectId) const {
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].subjectId == subjectId) return i;
  return std::nullopt;
}

bool OpeningModel::cellEditable(std::size_t row, OpeningField field) const {
  if (row >= rows_.size()) return false;
  for (const OpeningColumn& column : columns())
    if (column.kind == OpeningColumnKind::Amount && column.field == field) return column.editable;
  return false;
}

bool OpeningModel::editCell(std::size_t row, OpeningField field, const std::string& text) {
  if (!cellEditable(row, field)) return false;
  Money amount;
  try {
    if (text.find_first_not_of(" \t") != std::string::npos) amount = ParseEnteredAmount(text);
  } catch (const MoneyError& error) {
    host_.ShowMsgBox(error.what(), "提示", msgbox::IconWarning);
    return false;
  }
  return attempt([&] {
    OpeningRow edited = rows_[row];
    edited.stored(field) = amount;
    if (isRaw(field)) edited.stored(twinOf(field)) = amount.times(currency().rate, 2);
    // An amount that would put the totals out of range is refused; in a book
    // whose totals are out of range already, every change is let through, so
    // that the amounts can be corrected.
    data::Transaction tx(db_);
    const bool fitted = OpeningTotalsFit(db_);
    StoreEnteredFigures(db_, edited);
    if (fitted && !OpeningTotalsFit(db_)) throw RefusalError(OpeningTotalsOutOfRangeRefusal());
    tx.commit();
    rows_[row] = edited;
    total_ = LoadTotalLine(db_, currency().moneyId, rows_);
    changed_ = true;
    notice_ = kNotBalancedNotice;
  });
}

TrialFigures OpeningModel::pressTrialBalance() {
  TrialFigures figures;
  if (!attempt([&] {
        figures = RunTrialBalance(db_, structure_);
        reload();
      }))
    return figures;
  notice_.clear();
  host_.ShowMsgBox(TrialBalanceMessage(figures), TrialBalanceCaption(figures),
                   figures.balanced() ? msgbox::IconInformation : msgbox::IconWarning);
  return figures;
}

void OpeningModel::pressTrialSheet() {
  trialSheet_ = !trialSheet_;
  attempt([&] { reload(); });
}

std::string OpeningModel::trialSheetButtonCaption() const { return trialSheet_ ? "返回会计科目初始" : "试算平衡表"; }

void OpeningModel::pressDiscard() {
  if (attempt([&] {
        RestoreWorkingCopy(db_);
        reload();
      })) {
    changed_ = false;
    notice_.clear();
  }
}

bool OpeningModel::pressClose() {
  if (!changed_) return true;
  bool mayClose = false;
  attempt([&] {
    const auto status = BookStatus(db_);
    if (!status || *status != kBookInUse) {
      mayClose = true;
      return;
    }
    if (host_.ShowMsgBox(kTransferQuestion, "询问", msgbox::AskYesNo) != msgbox::IdYes) {
      RestoreWorkingCopy(db_);
      reload();
      changed_ = false;
      mayClose = true;
      return;
    }
    if (!RunTrialBalance(db_, structure_).balanced()) {
      host_.ShowMsgBox(kUnbalancedTransferMessage, "错误", msgbox::IconError);
    } else if (!TransferOpeningToLedger(db_, structure_, host_.accountBooksData())) {
      host_.ShowMsgBox(kStartPeriodMessage, host_.asProductionName() + "提示", msgbox::Ok);
    } else {
      changed_ = false;
      mayClose = true;
      return;
    }
    reload();
  });
  return mayClose;
}

std::vector<std::pair<std::string, std::string>> OpeningModel::exportHeadings() const {
  return {{"编制单位:", host_.accountBooksData().CompanyName},
          {"操作员:", host_.asUserName()},
          {"打印日期:", Date::today().toString()}};
}

void OpeningModel::reload() {
  const int moneyId = trialSheet_ ? kAllCurrencies : currency().moneyId;
  if (moneyId == kAllCurrencies) ReWriteSubjectDataTotal(db_, structure_);
  rows_ = LoadOpeningRows(db_, structure_, moneyId, levelOneOnly_);
  total_ = LoadTotalLine(db_, moneyId, rows_);
}

}  // namespace qj::subjects
