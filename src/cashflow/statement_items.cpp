#include "cashflow/statement_items.h"

#include "cashflow/item_store.h"

#include <cstddef>
#include <string>

namespace qj::cashflow {
namespace {

constexpr std::size_t kItemLevelWidth = 2;  // characters of a cash-flow item code per level

struct StatementLine {
  const char* code;  // two digits per level; an item with sub-items is a summary item
  const char* name;
  bool inflow;
};

// The lines of the small-enterprise cash-flow statement. The net-amount lines
// are totals the statement works out, not items. A summary item is stored as
// an inflow, which the item archive hands on as the default of a new sub-item.
const StatementLine kStatementItems[] = {
    {"01", "经营活动产生的现金流量", true},
    {"0101", "销售产成品、商品、提供劳务收到的现金", true},
    {"0102", "收到其他与经营活动有关的现金", true},
    {"0103", "购买原材料、商品、接受劳务支付的现金", false},
    {"0104", "支付的职工薪酬", false},
    {"0105", "支付的税费", false},
    {"0106", "支付其他与经营活动有关的现金", false},
    {"02", "投资活动产生的现金流量", true},
    {"0201", "收回短期投资、长期债券投资和长期股权投资收到的现金", true},
    {"0202", "取得投资收益收到的现金", true},
    {"0203", "处置固定资产、无形资产和其他非流动资产收回的现金净额", true},
    {"0204", "短期投资、长期债券投资和长期股权投资支付的现金", false},
    {"0205", "购建固定资产、无形资产和其他非流动资产支付的现金", false},
    {"03", "筹资活动产生的现金流量", true},
    {"0301", "取得借款收到的现金", true},
    {"0302", "吸收投资者投资收到的现金", true},
    {"0303", "偿还借款本金支付的现金", false},
    {"0304", "偿还借款利息支付的现金", false},
    {"0305", "分配利润支付的现金", false},
};

// Whether another item of the list sits directly below `code`.
bool hasSubItems(const std::string& code) {
  for (const StatementLine& entry : kStatementItems) {
    const std::string other = entry.code;
    if (other.size() == code.size() + kItemLevelWidth && other.starts_with(code)) return true;
  }
  return false;
}

}  // namespace

void InstallStatementItems(data::Connection& db) {
  for (const StatementLine& line : kStatementItems)
    InsertCashFlowItem(db, {line.code, line.name, line.inflow, !hasSubItems(line.code)});
}

}  // namespace qj::cashflow
