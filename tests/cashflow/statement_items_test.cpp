// The cash-flow statement's items a new book starts with: a tree the item
// picker can build, summary items over detail lines in both directions.
#include "cashflow/statement_items.h"

#include <gtest/gtest.h>

#include "allocation_fixture.h"
#include "cashflow/cash_flow_items.h"
#include "cashflow/item_tree.h"

namespace qj::test {
namespace {

class StatementItems : public AllocationTest {};
QJ_ON_EVERY_ENGINE(StatementItems);

TEST_P(StatementItems, FormATreeOfTheThreeActivitiesOverTheirLines) {
  cashflow::InstallStatementItems(db());
  const auto items = cashflow::ReadCashFlowItems(db());
  ASSERT_EQ(items.size(), 19u);
  const cashflow::ItemTree tree = cashflow::BuildItemTree(items);
  EXPECT_FALSE(tree.refusal);
  ASSERT_EQ(tree.nodes.size(), items.size());
  int inflows = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const bool top = items[i].code.size() == 2;
    EXPECT_EQ(items[i].detail, !top) << items[i].code;  // the activities group, their lines carry amounts
    EXPECT_EQ(tree.nodes[i].parent.has_value(), !top) << items[i].code;
    if (!top && items[i].inflow) ++inflows;
  }
  EXPECT_EQ(inflows, 7);
  EXPECT_EQ(items[0], (cashflow::CashFlowItem{"01", "经营活动产生的现金流量", true, false}));
  EXPECT_EQ(items.back(), (cashflow::CashFlowItem{"0305", "分配利润支付的现金", false, true}));
}

}  // namespace
}  // namespace qj::test
