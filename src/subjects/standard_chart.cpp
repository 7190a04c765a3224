#include "subjects/standard_chart.h"

#include "hostapi/refusal.h"

#include <stdexcept>

#include "subjects/chart_install.h"

namespace qj::subjects {
namespace {

constexpr bool D = true;   // debit balance
constexpr bool C = false;  // credit balance

// The chart of the small-business accounting rules in their three-digit numbering.
const ChartEntry kChart[] = {
    // 资产
    {1, "101", "现金", D, kChartKeep, true, 2},
    {1, "102", "银行存款", D, kChartKeep, true, 3},
    {1, "109", "其他货币资金", D, 0, true},
    {2, nullptr, "外埠存款", D, 0, true},
    {2, nullptr, "银行汇票", D, 0, true},
    {2, nullptr, "银行本票", D, 0, true},
    {2, nullptr, "信用卡", D, 0, true},
    {2, nullptr, "信用证保证金", D, 0, true},
    {2, nullptr, "存出投资款", D, 0, true},
    {1, "111", "短期投资", D},
    {2, nullptr, "股票", D},
    {2, nullptr, "债券", D},
    {2, nullptr, "基金", D},
    {2, nullptr, "其他", D},
    {1, "112", "应收票据", D},
    {1, "113", "应收账款", D, kChartKeep},
    {1, "114", "坏账准备", C},
    {1, "115", "预付账款", D, kChartKeep},
    {1, "116", "应收补贴款", D},
    {1, "119", "其他应收款", D},
    {1, "121", "材料采购", D},
    {1, "123", "原材料", D},
    {1, "124", "包装物", D},
    {1, "125", "低值易耗品", D},
    {1, "126", "材料成本差异", D},
    {1, "131", "自制半成品", D},
    {1, "137", "库存商品", D},
    {1, "138", "商品进销差价", C},
    {1, "139", "委托加工物资", D},
    {1, "141", "委托代销商品", D},
    {1, "151", "待摊费用", D},
    {1, "155", "长期股权投资", D},
    {1, "156", "长期债权投资", D},
    {1, "161", "固定资产", D, kChartKeep, false, 0},
    {1, "165", "累计折旧", C, kChartKeep},
    {1, "166", "固定资产清理", D},
    {1, "169", "在建工程", D},
    {1, "171", "无形资产", D},
    {1, "181", "长期待摊费用", D},
    {2, nullptr, "开办费", D},
    {2, nullptr, "固定资产大修理支出", D},
    {2, nullptr, "租入固定资产改良支出", D},
    {1, "191", "待处理财产损溢", D},
    {2, nullptr, "待处理流动资产损溢", D},
    {2, nullptr, "待处理固定资产损溢", D},
    // 负债
    {1, "201", "短期借款", C},
    {1, "202", "应付票据", C},
    {1, "203", "应付账款", C, kChartKeep},
    {1, "204", "预收账款", C, kChartKeep},
    {1, "209", "其他应付款", C},
    {1, "211", "应付工资", C},
    {1, "214", "应付福利费", C},
    {1, "216", "应付利润", C},
    {1, "221", "应交税金", C},
    {2, nullptr, "应交增值税", C},
    {3, nullptr, "进项税额", C},
    {3, nullptr, "已交税金", C},
    {3, nullptr, "转出未交增值税", C},
    {3, nullptr, "销项税额", C},
    {3, nullptr, "进项税额转出", C},
    {3, nullptr, "转出多交增值税", C},
    {2, nullptr, "未交增值税", C},
    {2, nullptr, "应交营业税", C},
    {2, nullptr, "应交消费税", C},
    {2, nullptr, "应交城市维护建设税", C},
    {2, nullptr, "应交所得税", C},
    {2, nullptr, "应交个人所得税", C},
    {2, nullptr, "应交房产税", C},
    {2, nullptr, "应交土地使用税", C},
    {2, nullptr, "应交车船使用税", C},
    {1, "229", "其他应交款", C},
    {2, nullptr, "教育费附加", C},
    {1, "231", "预提费用", C},
    {1, "241", "长期借款", C},
    {1, "251", "长期应付款", C},
    // 所有者权益
    {1, "301", "实收资本", C},
    {1, "311", "资本公积", C},
    {1, "313", "盈余公积", C},
    {2, nullptr, "法定盈余公积", C},
    {2, nullptr, "任意盈余公积", C},
    {2, nullptr, "法定公益金", C},
    {1, "321", "本年利润", C, kChartKeepLeaf, false, 16},
    {1, "322", "利润分配", C, kChartKeep},
    {2, nullptr, "其他转入", C},
    {2, nullptr, "提取法定盈余公积", C},
    {2, nullptr, "提取法定公益金", C},
    {2, nullptr, "提取任意盈余公积", C},
    {2, nullptr, "应付利润", C},
    {2, nullptr, "转作资本的利润", C},
    {2, nullptr, "未分配利润", C},
    // 成本
    {1, "401", "生产成本", D},
    {2, nullptr, "基本生产成本", D},
    {2, nullptr, "辅助生产成本", D},
    {1, "405", "制造费用", D},
    {1, "409", "劳务成本", D},
    // 损益
    {1, "501", "主营业务收入", C},
    {1, "502", "主营业务成本", D},
    {1, "503", "主营业务税金及附加", D},
    {1, "511", "其他业务收入", C},
    {1, "512", "其他业务支出", D},
    {1, "521", "营业费用", D},
    {1, "522", "管理费用", D},
    {1, "523", "财务费用", D},
    {1, "531", "投资收益", C},
    {1, "541", "补贴收入", C},
    {1, "542", "营业外收入", C},
    {1, "543", "营业外支出", D},
    {1, "551", "所得税", D},
    {1, "552", "以前年度损益调整", C},
};

constexpr int kStandardLevelOneLength = 3;

}  // namespace

bool StandardChartFits(const base::CodeStructure& structure) {
  return structure.levels() >= 1 && structure.cumulativeLengths().front() == kStandardLevelOneLength;
}

void InstallStandardChart(data::Connection& db, const base::CodeStructure& structure) {
  if (!StandardChartFits(structure))
    throw RefusalError(ErrorRefusal("标准科目表的一级科目编码为 3 位，与帐套的编码结构不符"));
  InstallChart(db, structure, kChart);
}

}  // namespace qj::subjects
