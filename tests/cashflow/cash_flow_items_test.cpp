// The item list read from Fluxion.
#include "cashflow/cash_flow_items.h"

#include <gtest/gtest.h>

#include "allocation_fixture.h"

namespace qj::test {
namespace {

using cashflow::CashFlowItem;

class CashFlowItems : public AllocationTest {};
QJ_ON_EVERY_ENGINE(CashFlowItems);

TEST_P(CashFlowItems, ComeInCodeOrderWithTheirFlags) {
  items();
  item("03", "筹资活动", false, false);
  EXPECT_EQ(cashflow::ReadCashFlowItems(db()), (std::vector<CashFlowItem>{{"01", "经营活动", true, false},
                                                                          {"0101", "销售收到的现金", true, true},
                                                                          {"0102", "购买支付的现金", false, true},
                                                                          {"02", "投资活动", true, false},
                                                                          {"0201", "收回投资", true, true},
                                                                          {"03", "筹资活动", false, false}}));
}

}  // namespace
}  // namespace qj::test
