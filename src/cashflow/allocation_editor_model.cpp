#include "cashflow/allocation_editor_model.h"

#include <optional>

#include "base/screen_work.h"
#include "cashflow/allocation_store.h"
#include "cashflow/cash_flow_items.h"
#include "cashflow/item_archive_model.h"
#include "data/connection.h"
#include "hostapi/refusal.h"

namespace qj::cashflow {
namespace {

constexpr int kOpen = 1;
constexpr int kEdit = 3;

constexpr const char* kNoItemsQuestion =
    "还没有定义现金流量项目，无法分配。\r\n请先在“现金流量项目”中定义项目。现在打开现金流量项目吗？";

}  // namespace

std::string UnbalancedCloseQuestion(Money cashAmount, Money allocated) {
  return "凭证中现金流量类科目借方、贷方差额为：" + cashAmount.toString() +
         "\r\n而现金流量金额分配中流入、流出差额为：" + allocated.toString() + "\r\n两者不相等，是否继续退出？";
}

AllocationEditorModel::AllocationEditorModel(HostServices& host, std::string credId, Money cashAmount)
    : host_(host), credId_(std::move(credId)), cashAmount_(cashAmount) {}

std::unique_ptr<AllocationEditorModel> AllocationEditorModel::Open(HostServices& host, std::string credId,
                                                                   Money cashAmount) {
  if (!host.HasOvoPrivilege2(kAllocationPrivilegeFunction, kOpen, true)) return nullptr;
  std::unique_ptr<AllocationEditorModel> model(new AllocationEditorModel(host, std::move(credId), cashAmount));
  model->editable_ = host.HasOvoPrivilege2(kAllocationPrivilegeFunction, kEdit, false);
  if (!base::ReportFailures(host, [&] { model->load(); })) return nullptr;
  if (!model->rows_.empty()) return model;
  // Nothing to allocate to yet: the items are defined in the host's archive.
  if (host.ShowMsgBox(kNoItemsQuestion, caption::Question, msgbox::YesNo | msgbox::IconQuestion) != msgbox::IdYes)
    return nullptr;
  host.ShowPrivilegedForm(kItemArchiveFormName, kOpen, false, true);
  if (!base::ReportFailures(host, [&] { model->load(); }) || model->rows_.empty()) return nullptr;
  return model;
}

AllocationEditorModel::~AllocationEditorModel() {
  base::ReportFailures(host_, [&] { DeleteEmptyAllocations(host_.FindStartupDB(), credId_); });
}

void AllocationEditorModel::load() {
  data::Connection& db = host_.FindStartupDB();
  {
    data::Transaction transaction(db);
    DeleteAllocationsOffDetailItems(db, credId_);
    transaction.commit();
  }
  // Items without a stored row show empty amounts; they are stored only once
  // an amount is typed.
  std::vector<AllocationRow> rows;
  for (const CashFlowItem& item : ReadCashFlowItems(db))
    if (item.detail) rows.push_back({item.code, item.name, {}, {}});
  for (const ItemAllocation& stored : SelectAllocations(db, credId_))
    for (AllocationRow& shown : rows)
      if (shown.code == stored.code) {
        shown.inflow = stored.inflow;
        shown.outflow = stored.outflow;
      }
  rows_ = std::move(rows);
}

AllocationSums AllocationEditorModel::totals() const {
  AllocationSums sums;
  for (const AllocationRow& row : rows_) {
    sums.debit += row.inflow;
    sums.credit += row.outflow;
  }
  return sums;
}

void AllocationEditorModel::reread(std::size_t row) {
  AllocationRow& shown = rows_[row];
  const auto stored = SelectAllocation(host_.FindStartupDB(), credId_, shown.code);
  shown.inflow = stored ? stored->inflow : Money();
  shown.outflow = stored ? stored->outflow : Money();
}

bool AllocationEditorModel::setAmount(std::size_t row, AllocationColumn column, Money amount) {
  if (!editable_ || row >= rows_.size()) return false;
  const bool stored = base::ReportFailures(host_, [&] {
    // The totals must stay within range: MoneyError otherwise, nothing stored.
    const AllocationSums sums = totals();
    const Money shown = column == AllocationColumn::Inflow ? rows_[row].inflow : rows_[row].outflow;
    (void)((column == AllocationColumn::Inflow ? sums.debit : sums.credit) - shown + amount);
    StoreAllocationAmount(host_.FindStartupDB(), credId_, rows_[row].code, column, amount);
  });
  base::ReportFailures(host_, [&] { reread(row); });
  return stored;
}

bool AllocationEditorModel::setAmountText(std::size_t row, AllocationColumn column, const std::string& text) {
  if (!editable_ || row >= rows_.size()) return false;
  Money amount;
  try {
    if (text.find_first_not_of(' ') != std::string::npos) amount = Money::parse(text);
  } catch (const MoneyError& error) {
    Show(host_, {error.what(), caption::Failure, msgbox::IconError});
    return false;
  }
  return setAmount(row, column, amount);
}

bool AllocationEditorModel::mayClose() {
  // The stored allocation counts, with what another editor of this voucher
  // stored meanwhile. When it cannot be read (reported) the editor closes.
  std::optional<Money> allocated;
  base::ReportFailures(host_, [&] { allocated = AllocationSumsOf(host_.FindStartupDB(), credId_).difference(); });
  if (!allocated || *allocated == cashAmount_) return true;
  return host_.ShowMsgBox(UnbalancedCloseQuestion(cashAmount_, *allocated), allocation_message::CloseCaption,
                          msgbox::AskYesNo) == msgbox::IdYes;
}

}  // namespace qj::cashflow
