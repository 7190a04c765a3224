#include "cashflow/item_archive_model.h"

#include <algorithm>
#include <exception>
#include <iterator>

#include "base/screen_work.h"
#include "cashflow/allocation_store.h"
#include "cashflow/item_store.h"
#include "cashflow/opening_data_store.h"
#include "data/db_error.h"

namespace qj::cashflow {
namespace {

constexpr std::size_t kLevelWidth = 2;
constexpr std::size_t kLongestCode = 12;
constexpr std::size_t kLongestName = 64;  // characters, as Fluxion.NAME holds them

enum Action { kAdd = 2, kModify = 3, kDelete = 4 };

Refusal codeError(const std::string& text) { return {text, caption::CodeError, msgbox::IconWarning}; }
Refusal notice(const std::string& text) { return {text, caption::Notice, msgbox::IconWarning}; }

std::size_t characters(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

const CashFlowItem* findIn(const std::vector<CashFlowItem>& items, const std::string& code) {
  auto it = std::find_if(items.begin(), items.end(), [&](const CashFlowItem& item) { return item.code == code; });
  return it == items.end() ? nullptr : &*it;
}

bool hasChildren(const std::vector<CashFlowItem>& items, const std::string& code) {
  return std::any_of(items.begin(), items.end(), [&](const CashFlowItem& item) {
    return item.code.size() == code.size() + kLevelWidth && item.code.starts_with(code);
  });
}

std::string parentCode(const std::string& code) {
  return code.size() > kLevelWidth ? code.substr(0, code.size() - kLevelWidth) : std::string();
}

}  // namespace

std::optional<Refusal> CheckItemName(const std::string& name) {
  const std::string shown = trimmed(name);
  if (shown.empty()) return notice("项目名称不能为空。");
  if (characters(shown) > kLongestName) return notice("项目名称不能超过64个字。");
  return std::nullopt;
}

std::optional<Refusal> CheckNewItem(data::Connection& db, const std::vector<CashFlowItem>& items,
                                    const ItemDraft& draft) {
  const std::string& code = draft.code;
  if (code.empty()) return codeError("请输入项目编码。");
  if (!std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return codeError("项目编码只能由数字组成。");
  if (code.size() % kLevelWidth != 0 || code.size() > kLongestCode)
    return codeError("项目编码的长度应为2、4、6、8、10或12位。");
  if (findIn(items, code)) return codeError("项目编码“" + code + "”已经存在。");
  if (const std::string parent = parentCode(code); !parent.empty()) {
    if (!findIn(items, parent)) return codeError("上级项目“" + parent + "”不存在，请先增加上级项目。");
    // The parent becomes a summary item, whose figures the opening data and
    // the allocations drop: refuse rather than lose them.
    if (ItemCarriesOpeningAmounts(db, parent) || ItemCarriesAllocations(db, parent))
      return notice("上级项目“" + parent + "”已有现金流量数据，不能增加下级项目。");
  }
  return CheckItemName(draft.name);
}

std::optional<Refusal> CheckItemDeletion(data::Connection& db, const std::vector<CashFlowItem>& items,
                                         const std::string& code) {
  if (!findIn(items, code)) return notice("现金流量项目“" + code + "”已不存在。");
  if (hasChildren(items, code)) return notice("该项目有下级项目，不能删除。");
  if (ItemCarriesOpeningAmounts(db, code)) return notice("该项目已有现金流量初始数据，不能删除。");
  if (ItemCarriesAllocations(db, code)) return notice("该项目已用于凭证的现金流量分配，不能删除。");
  return std::nullopt;
}

ItemArchiveModel::ItemArchiveModel(HostServices& host) : host_(host), db_(host.FindStartupDB()) {}

// Runs one change; a failure is reported and the list read again, so that it
// shows what the book holds.
template <class Work>
bool ItemArchiveModel::attempt(Work work) {
  bool done = false;
  base::ReportFailures(host_, [&] { done = work(); });
  try {
    items_ = ReadCashFlowItems(db_);
  } catch (const data::DbError& error) {
    if (done) host_.EDBEngineErrorHandler(error);  // else the first report is the one the user needs
  }
  return done;
}

bool ItemArchiveModel::reload() {
  return attempt([] { return true; });
}

std::optional<std::size_t> ItemArchiveModel::find(const std::string& code) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].code == code) return i;
  return std::nullopt;
}

std::optional<std::size_t> ItemArchiveModel::parentOf(std::size_t index) const {
  const std::string parent = parentCode(items_.at(index).code);
  return parent.empty() ? std::nullopt : find(parent);
}

std::optional<ItemDraft> ItemArchiveModel::beginAdd(const std::string& chosenCode) {
  if (!host_.HasOvoPrivilege2(kItemArchivePrivilegeFunction, kAdd, true)) return std::nullopt;
  ItemDraft draft;
  if (const auto chosen = find(chosenCode)) {
    draft.code = items_[*chosen].code;
    draft.inflow = items_[*chosen].inflow;
  }
  return draft;
}

std::optional<ItemDraft> ItemArchiveModel::beginModify(const std::string& chosenCode) {
  const auto chosen = find(chosenCode);
  if (!chosen || !host_.HasOvoPrivilege2(kItemArchivePrivilegeFunction, kModify, true)) return std::nullopt;
  return ItemDraft{items_[*chosen].code, items_[*chosen].name, items_[*chosen].inflow};
}

bool ItemArchiveModel::add(const ItemDraft& draft) {
  return attempt([&] {
    data::Transaction transaction(db_);
    if (const auto refusal = CheckNewItem(db_, ReadCashFlowItems(db_), draft)) {
      Show(host_, *refusal);
      return false;
    }
    InsertCashFlowItem(db_, {draft.code, trimmed(draft.name), draft.inflow, true});
    if (const std::string parent = parentCode(draft.code); !parent.empty()) MarkSummaryItem(db_, parent);
    transaction.commit();
    return true;
  });
}

bool ItemArchiveModel::modify(const ItemDraft& draft) {
  return attempt([&] {
    data::Transaction transaction(db_);
    auto refusal = CheckItemName(draft.name);
    if (!refusal && !findIn(ReadCashFlowItems(db_), draft.code))
      refusal = notice("现金流量项目“" + draft.code + "”已不存在。");
    if (refusal) {
      Show(host_, *refusal);
      return false;
    }
    UpdateItemNameAndDirection(db_, draft.code, trimmed(draft.name), draft.inflow);
    transaction.commit();
    return true;
  });
}

bool ItemArchiveModel::remove(const std::string& code) {
  const auto chosen = find(code);
  if (!chosen || !host_.HasOvoPrivilege2(kItemArchivePrivilegeFunction, kDelete, true)) return false;
  const std::string question = "确定要删除现金流量项目“" + code + " " + items_[*chosen].name + "”吗？";
  return attempt([&] {
    // An item that may not go is refused before the question, and checked
    // again once the deletion holds the book.
    if (const auto refusal = CheckItemDeletion(db_, ReadCashFlowItems(db_), code)) {
      Show(host_, *refusal);
      return false;
    }
    if (!Confirm(host_, question)) return false;
    data::Transaction transaction(db_);
    const std::vector<CashFlowItem> stored = ReadCashFlowItems(db_);
    if (const auto refusal = CheckItemDeletion(db_, stored, code)) {
      Show(host_, *refusal);
      return false;
    }
    // The item's empty rows go with it.
    DeleteOpeningDataOfItem(db_, code);
    DeleteAllocationsOfItem(db_, code);
    DeleteCashFlowItem(db_, code);
    // A parent left without sub-items carries amounts again.
    const std::string parent = parentCode(code);
    std::vector<CashFlowItem> rest;
    std::copy_if(stored.begin(), stored.end(), std::back_inserter(rest),
                 [&](const CashFlowItem& item) { return item.code != code; });
    if (!parent.empty() && !hasChildren(rest, parent)) MarkDetailItem(db_, parent);
    transaction.commit();
    return true;
  });
}

}  // namespace qj::cashflow
