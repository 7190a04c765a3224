// The cash-flow item tree of the item picker, and the picker itself: levels
// by code length (2, 4, ... 12 characters), each item under its parent.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "cashflow/cash_flow_items.h"
#include "hostapi/refusal.h"

namespace qj::cashflow {

// One node, in table order; a parent always comes before its children.
struct ItemNode {
  std::string code;
  std::string text;  // the code padded with blanks to 18 characters, then the name
  int level = 1;     // from the code's length, 1 to 6
  std::optional<std::size_t> parent;

  friend bool operator==(const ItemNode&, const ItemNode&) = default;
};

struct ItemTree {
  std::vector<ItemNode> nodes;
  // Set when an item's code has a length no level has; the tree then holds
  // the items before it.
  std::optional<Refusal> refusal;
};

// The level of a code of 2, 4, 6, 8, 10 or 12 characters.
std::optional<int> ItemLevel(const std::string& code);
std::string ItemNodeText(const CashFlowItem& item);

// Builds the tree from the items in code order. A deeper item goes under the
// node reached by climbing from the previous node as far as the levels
// differ; a deeper item with no node above it becomes a root.
ItemTree BuildItemTree(const std::vector<CashFlowItem>& items);

Refusal DatabaseFaultRefusal();  // "库出错!"

struct PickedItem {
  std::string code;  // empty when nothing was chosen
  bool inflow = false;

  friend bool operator==(const PickedItem&, const PickedItem&) = default;
};

// The picker: every item as a tree, the first node selected; choosing gives
// the selected item's code and direction as stored now.
class ItemPickerModel {
 public:
  // Reads the items; a bad code length or a database error is told at once.
  explicit ItemPickerModel(HostServices& host);

  [[nodiscard]] const std::vector<ItemNode>& nodes() const { return nodes_; }
  [[nodiscard]] std::optional<std::size_t> selected() const { return selected_; }
  void select(std::optional<std::size_t> node);

  // Looks the selected code up in Fluxion: its code and direction; an empty
  // code when no node is selected or the item is gone.
  [[nodiscard]] PickedItem choose();

 private:
  HostServices& host_;
  std::vector<ItemNode> nodes_;
  std::optional<std::size_t> selected_;
};

}  // namespace qj::cashflow
