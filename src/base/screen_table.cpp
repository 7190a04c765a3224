#include "base/screen_table.h"

#include "base/upper_case.h"

namespace qj::base {

const std::vector<ScreenEntry>& ScreenTable() {
  using P = ScreenPattern;
  static const std::vector<ScreenEntry> table = {
      {"FRMSUBJECT1", 8, 1, P::Modal, "frmSubject1", "", "会计科目", "初始设置"},
      {"SUBJECTINFO_FRM", 8, 1, P::Modal, "SubjectInfo_Frm", "", "科目查询", "初始设置"},
      {"FRISTSUBJECTINITLIST_FRM", 73, 1, P::Modal, "", "", "初始数据", "初始设置"},
      {"SUBJECTINITLIST_FRM", 73, 1, P::Modal, "", "", "初始数据调整", "初始设置"},
      {"CASHFLUXIONINIT_FRM", 71, 1, P::Modal, "", "", "现金流量初始数据", "初始设置"},
      {"OVOFLUXIONARCHIVES_FRM", kItemArchivePrivilegeFunction, 1, P::HostScreen, "OvoFluxionArchives_Frm", "",
       "现金流量项目", "初始设置"},
      {"VOUCHERVOICE_FRM", 58, 1, P::Modal, "VoucherVoice_Frm", "", "凭证录入", "凭证"},
      {"FRMVOUAUADI", 59, 1, P::FilterThenList, "VocuherCheckList_Frm", "VOCUHERCHECKFILTER_FRM", "凭证审核", "凭证"},
      {"FRMANTIVOUADUI", 75, 5, P::Modal, "VoucherUnCheck_Frm", "", "反审核", "凭证"},
      {"SEARCHVOUCHER_FRM", 194, 5, P::Modeless, "SearchVoucher_Frm", "", "凭证查询", "凭证"},
      {"FRMCREDPRECIS", 20, 1, P::Modal, "frmCredPrecis", "", "常用摘要", "凭证"},
      {"VOUCHERLOGONACCOUNT_FRM", 60, 5, P::Modal, "VoucherLogonAccount_Frm", "", "凭证登帐", "期末"},
      {"VOUCHERUNLOGONACC_FRM", 76, 5, P::Modal, "VoucherUnLogonAcc_Frm", "", "反登帐", "期末"},
      {"TRANSFERPROFITLOSS_FRM", 61, 5, P::Modal, "", "", "结转损益", "期末"},
      {"AUDIEXCHANGE_FRM", 62, 5, P::Modal, "", "", "期末调汇", "期末"},
      {"PERIODENDOFF_FRM", 63, 5, P::Modal, "PeriodEndOff_Frm", "", "期末结帐", "期末"},
      {"UNCHECKOUT_FRM", 77, 5, P::Modal, "UnCheckOut_Frm", "", "反结帐", "期末"},
      {"DIARYLIST_FRM", 64, 1, P::FilterHandOverList, "DiaryList_Frm", "DiaryLedger_Frm", "现金银行日记帐", "帐簿"},
      {"DETAILTYPELIST_FRM", 65, 1, P::FilterHandOverList, "DetailTypeList_Frm", "DetailTypeLedger_Frm", "明细分类帐",
       "帐簿"},
      {"COUNTKINDLEDGERLIST_FRM", 67, 1, P::FilterThenList, "CountKindLedgerList_Frm", "CountKindLedger_Frm",
       "总分类帐", "帐簿"},
      {"MULTICOLUMNACCOUNT_FRM", 66, 1, P::FilterThenList, "MultiColumnAccount_Frm", "MultiColumn_Frm", "多栏帐",
       "帐簿"},
      {"SUBJECTCOUNTLIST_FRM", 68, 1, P::FilterThenList, "SubjectCountList_Frm", "SubjectCountFilter_Frm", "科目汇总表",
       "帐簿"},
      {"TESTCALCULATEBALANCELIST_FRM", 69, 1, P::FilterThenList, "TestCalculateBalanceList_Frm",
       "TestCalculateBalanceFilter_Frm", "试算平衡表", "帐簿"},
      {"CASHPREPARE_FRM", 72, 1, P::FilterThenList, "CashPrepare_Frm", "CashPrepareFilter_Frm", "现金流量表编制",
       "现金流量"},
      {"FMAIN", 74, 1, P::FilterThenList, "FMain", "Templet_Frm", "自定义报表", "报表"},
  };
  return table;
}

const ScreenEntry* FindScreen(const std::string& key) {
  const std::string wanted = UpperCase(key);
  for (const ScreenEntry& entry : ScreenTable())
    if (entry.key == wanted) return &entry;
  return nullptr;
}

}  // namespace qj::base
