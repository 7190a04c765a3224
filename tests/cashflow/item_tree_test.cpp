// The picker's item tree: levels by code length, parents by climbing, the
// node text, a bad code length, and choosing.
#include "cashflow/item_tree.h"

#include <gtest/gtest.h>

#include "allocation_fixture.h"

namespace qj::test {
namespace {

using cashflow::BuildItemTree;
using cashflow::CashFlowItem;
using cashflow::ItemNode;

// "code>parent code" per node, "-" for a root.
std::vector<std::string> Shape(const cashflow::ItemTree& tree) {
  std::vector<std::string> out;
  for (const ItemNode& node : tree.nodes)
    out.push_back(node.code + ">" + (node.parent ? tree.nodes[*node.parent].code : "-"));
  return out;
}

TEST(ItemTree, EveryItemHangsUnderItsParentAtEachOfTheSixLevels) {
  const auto tree = BuildItemTree({{"01", "经营", true, false},
                                   {"0101", "a", true, false},
                                   {"010101", "b", true, false},
                                   {"01010101", "c", true, false},
                                   {"0101010101", "d", true, false},
                                   {"010101010101", "e", true, true},
                                   {"010102", "f", true, true},  // climbs four levels back up
                                   {"0102", "g", false, true},
                                   {"02", "投资", true, false},
                                   {"0201", "h", true, true}});
  EXPECT_FALSE(tree.refusal);
  EXPECT_EQ(Shape(tree),
            (std::vector<std::string>{"01>-", "0101>01", "010101>0101", "01010101>010101", "0101010101>01010101",
                                      "010101010101>0101010101", "010102>0101", "0102>01", "02>-", "0201>02"}));
  EXPECT_EQ(tree.nodes[5].level, 6);
}

TEST(ItemTree, ABadCodeLengthStopsTheBuildWithTheTreeSoFar) {
  for (const std::string bad : {"011", "", "01010101010101"}) {
    const auto tree = BuildItemTree(
        {{"01", "经营", true, false}, {"0101", "a", true, true}, {bad, "坏", true, true}, {"02", "投资", true, false}});
    ASSERT_TRUE(tree.refusal) << bad;
    EXPECT_EQ(tree.refusal->text, "库出错!");
    EXPECT_EQ(Shape(tree), (std::vector<std::string>{"01>-", "0101>01"})) << bad;
  }
}

class ItemPicker : public AllocationTest {};
QJ_ON_EVERY_ENGINE(ItemPicker);

TEST_P(ItemPicker, ChoosingGivesTheSelectedCodeAndDirectionAndNothingWithoutASelection) {
  items();
  item("015", "坏", true, true);
  cashflow::ItemPickerModel picker(host());
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, "库出错!");
  ASSERT_EQ(picker.nodes().size(), 3u);  // 01, 0101, 0102: the tree as far as it was built
  EXPECT_EQ(picker.choose(), (cashflow::PickedItem{"01", true}));
  picker.select(2);
  EXPECT_EQ(picker.choose(), (cashflow::PickedItem{"0102", false}));
  picker.select(std::nullopt);
  EXPECT_EQ(picker.choose(), cashflow::PickedItem{});
}

}  // namespace
}  // namespace qj::test
