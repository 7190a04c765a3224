#include "cashflow/item_tree.h"

#include "base/screen_work.h"
#include "cashflow/item_store.h"

namespace qj::cashflow {
namespace {

constexpr std::size_t kCodeWidth = 18;
constexpr std::size_t kLongestCode = 12;  // level 6

}  // namespace

std::optional<int> ItemLevel(const std::string& code) {
  const std::size_t length = code.size();
  if (length == 0 || length % 2 != 0 || length > kLongestCode) return std::nullopt;
  return static_cast<int>(length / 2);
}

std::string ItemNodeText(const CashFlowItem& item) {
  std::string text = item.code;
  if (text.size() < kCodeWidth) text.append(kCodeWidth - text.size(), ' ');
  return text + item.name;
}

Refusal DatabaseFaultRefusal() { return {"库出错!", caption::Error, msgbox::IconError}; }

ItemTree BuildItemTree(const std::vector<CashFlowItem>& items) {
  ItemTree tree;
  for (const CashFlowItem& item : items) {
    const std::optional<int> level = ItemLevel(item.code);
    if (!level) {
      tree.refusal = DatabaseFaultRefusal();
      break;
    }
    // Climb from the previous node until a node above this item's level.
    std::optional<std::size_t> parent;
    if (*level > 1 && !tree.nodes.empty()) parent = tree.nodes.size() - 1;
    while (parent && tree.nodes[*parent].level >= *level) parent = tree.nodes[*parent].parent;
    tree.nodes.push_back({item.code, ItemNodeText(item), *level, parent});
  }
  return tree;
}

ItemPickerModel::ItemPickerModel(HostServices& host) : host_(host) {
  ItemTree tree;
  base::ReportFailures(host_, [&] { tree = BuildItemTree(ReadCashFlowItems(host_.FindStartupDB())); });
  nodes_ = std::move(tree.nodes);
  if (!nodes_.empty()) selected_ = 0;
  if (tree.refusal) Show(host_, *tree.refusal);
}

void ItemPickerModel::select(std::optional<std::size_t> node) {
  if (!node || *node < nodes_.size()) selected_ = node;
}

PickedItem ItemPickerModel::choose() {
  if (!selected_) return {};
  PickedItem picked;
  base::ReportFailures(host_, [&] {
    if (const auto stored = FindItemDirection(host_.FindStartupDB(), nodes_[*selected_].code)) picked = *stored;
  });
  return picked;
}

}  // namespace qj::cashflow
