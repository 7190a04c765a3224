#include "base/screen_table.h"

#include "base/upper_case.h"

namespace qj::base {

const std::vector<ScreenEntry>& ScreenTable() {
  using P = ScreenPattern;
  static const std::vector<ScreenEntry> table = {
      {"FRISTSUBJECTINITLIST_FRM", 73, 1, P::Modal, "", ""},
      {"FRMCREDPRECIS", 20, 1, P::Modal, "frmCredPrecis", ""},
      {"VOUCHERVOICE_FRM", 58, 1, P::Modal, "VoucherVoice_Frm", ""},
      {"SEARCHVOUCHER_FRM", 194, 5, P::Modeless, "SearchVoucher_Frm", ""},
      {"FRMVOUAUADI", 59, 1, P::FilterThenList, "VocuherCheckList_Frm", "VOCUHERCHECKFILTER_FRM"},
      {"VOUCHERLOGONACCOUNT_FRM", 60, 5, P::Modal, "VoucherLogonAccount_Frm", ""},
      {"TRANSFERPROFITLOSS_FRM", 61, 5, P::Modal, "", ""},
      {"AUDIEXCHANGE_FRM", 62, 5, P::Modal, "", ""},
      {"PERIODENDOFF_FRM", 63, 5, P::Modal, "PeriodEndOff_Frm", ""},
      {"DIARYLIST_FRM", 64, 1, P::FilterHandOverList, "DiaryList_Frm", "DiaryLedger_Frm"},
      {"DETAILTYPELIST_FRM", 65, 1, P::FilterHandOverList, "DetailTypeList_Frm", "DetailTypeLedger_Frm"},
      {"MULTICOLUMNACCOUNT_FRM", 66, 1, P::FilterThenList, "MultiColumnAccount_Frm", "MultiColumn_Frm"},
      {"COUNTKINDLEDGERLIST_FRM", 67, 1, P::FilterThenList, "CountKindLedgerList_Frm", "CountKindLedger_Frm"},
      {"SUBJECTCOUNTLIST_FRM", 68, 1, P::FilterThenList, "SubjectCountList_Frm", "SubjectCountFilter_Frm"},
      {"TESTCALCULATEBALANCELIST_FRM", 69, 1, P::FilterThenList, "TestCalculateBalanceList_Frm",
       "TestCalculateBalanceFilter_Frm"},
      {"OVOFLUXIONARCHIVES_FRM", 0, 1, P::HostScreen, "OvoFluxionArchives_Frm", ""},
      {"CASHFLUXIONINIT_FRM", 71, 1, P::Modal, "", ""},
      {"CASHPREPARE_FRM", 72, 1, P::FilterThenList, "CashPrepare_Frm", "CashPrepareFilter_Frm"},
      {"FMAIN", 74, 1, P::FilterThenList, "FMain", "Templet_Frm"},
      {"FRMANTIVOUADUI", 75, 5, P::Modal, "VoucherUnCheck_Frm", ""},
      {"VOUCHERUNLOGONACC_FRM", 76, 5, P::Modal, "VoucherUnLogonAcc_Frm", ""},
      {"UNCHECKOUT_FRM", 77, 5, P::Modal, "UnCheckOut_Frm", ""},
      {"SUBJECTINITLIST_FRM", 73, 1, P::Modal, "", ""},
      {"SUBJECTINFO_FRM", 8, 1, P::Modal, "SubjectInfo_Frm", ""},
      {"FRMSUBJECT1", 8, 1, P::Modal, "frmSubject1", ""},
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
