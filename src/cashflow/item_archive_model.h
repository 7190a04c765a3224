// The cash-flow item archive ("现金流量项目"), the host's own screen over
// Fluxion, without its widgets: the item list and the rules of adding,
// changing and deleting items. Every change runs in one transaction and is
// checked against the items as stored at that moment, so that another user's
// change in between cannot slip past the rules.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/screen_table.h"
#include "cashflow/cash_flow_items.h"
#include "hostapi/host_services.h"
#include "hostapi/refusal.h"

namespace qj::cashflow {

// The host's privilege function of the archive: actions 1 open, 2 add, 3 modify, 4 delete.
using base::kItemArchivePrivilegeFunction;
// The name under which the host shows it (ShowPrivilegedForm).
inline constexpr const char* kItemArchiveFormName = "OvoFluxionArchives_Frm";

// What the add or modify dialog holds.
struct ItemDraft {
  std::string code;
  std::string name;
  bool inflow = true;
};

// A new item's code, name and parent, against the stored items; the first refusal.
std::optional<Refusal> CheckNewItem(data::Connection& db, const std::vector<CashFlowItem>& items,
                                    const ItemDraft& draft);
// A name: required, at most 64 characters.
std::optional<Refusal> CheckItemName(const std::string& name);
// Whether an item may go: no sub-items, no amounts in the opening data or in allocations.
std::optional<Refusal> CheckItemDeletion(data::Connection& db, const std::vector<CashFlowItem>& items,
                                         const std::string& code);

class ItemArchiveModel {
 public:
  static constexpr const char* kCaption = "现金流量项目";

  explicit ItemArchiveModel(HostServices& host);

  // Reads the items again; false after a failure (reported).
  bool reload();
  [[nodiscard]] const std::vector<CashFlowItem>& items() const { return items_; }
  // The position of an item's parent in items(); none for a level-1 item.
  [[nodiscard]] std::optional<std::size_t> parentOf(std::size_t index) const;
  [[nodiscard]] std::optional<std::size_t> find(const std::string& code) const;

  // 新增 under the chosen item (or at level 1 when none is chosen): the
  // dialog's starting values, the parent's code and direction; none without
  // the privilege (the host has said so).
  std::optional<ItemDraft> beginAdd(const std::string& chosenCode);
  // 修改: the chosen item's values; none without the privilege or an item.
  std::optional<ItemDraft> beginModify(const std::string& chosenCode);
  // The dialog's 确定: stores the draft, or tells why not and gives false
  // (the dialog then stays open with what was typed).
  bool add(const ItemDraft& draft);
  bool modify(const ItemDraft& draft);
  // 删除: asks first; false when refused, declined or failed.
  bool remove(const std::string& code);

 private:
  template <class Work>
  bool attempt(Work work);

  HostServices& host_;
  data::Connection& db_;
  std::vector<CashFlowItem> items_;
};

}  // namespace qj::cashflow
