#include "desktop/screen_menu.h"

#include <algorithm>

namespace qj::desktop {
namespace {

constexpr ScreenMenuEntry kEntries[] = {
    {"FRMSUBJECT1", "会计科目", "初始设置"},
    {"SUBJECTINFO_FRM", "科目查询", "初始设置"},
    {"FRISTSUBJECTINITLIST_FRM", "初始数据", "初始设置"},
    {"SUBJECTINITLIST_FRM", "初始数据调整", "初始设置"},
    {"CASHFLUXIONINIT_FRM", "现金流量初始数据", "初始设置"},
    {"OVOFLUXIONARCHIVES_FRM", "现金流量项目", "初始设置"},
    {"VOUCHERVOICE_FRM", "凭证录入", "凭证"},
    {"FRMVOUAUADI", "凭证审核", "凭证"},
    {"FRMANTIVOUADUI", "反审核", "凭证"},
    {"SEARCHVOUCHER_FRM", "凭证查询", "凭证"},
    {"FRMCREDPRECIS", "常用摘要", "凭证"},
    {"VOUCHERLOGONACCOUNT_FRM", "凭证登帐", "期末"},
    {"VOUCHERUNLOGONACC_FRM", "反登帐", "期末"},
    {"TRANSFERPROFITLOSS_FRM", "结转损益", "期末"},
    {"AUDIEXCHANGE_FRM", "期末调汇", "期末"},
    {"PERIODENDOFF_FRM", "期末结帐", "期末"},
    {"UNCHECKOUT_FRM", "反结帐", "期末"},
    {"DIARYLIST_FRM", "现金银行日记帐", "帐簿"},
    {"DETAILTYPELIST_FRM", "明细分类帐", "帐簿"},
    {"COUNTKINDLEDGERLIST_FRM", "总分类帐", "帐簿"},
    {"MULTICOLUMNACCOUNT_FRM", "多栏帐", "帐簿"},
    {"SUBJECTCOUNTLIST_FRM", "科目汇总表", "帐簿"},
    {"TESTCALCULATEBALANCELIST_FRM", "试算平衡表", "帐簿"},
    {"CASHPREPARE_FRM", "现金流量表编制", "现金流量"},
    {"FMAIN", "自定义报表", "报表"},
};

}  // namespace

std::span<const ScreenMenuEntry> ScreenMenu() { return kEntries; }

std::vector<std::string> ScreenMenuGroups() {
  std::vector<std::string> groups;
  for (const ScreenMenuEntry& entry : kEntries)
    if (std::find(groups.begin(), groups.end(), entry.group) == groups.end()) groups.emplace_back(entry.group);
  return groups;
}

}  // namespace qj::desktop
