#include "package/command_table.h"

#include "data/period.h"
#include "package/book_state.h"
#include "package/host.h"
#include "package/screen_registry.h"
#include "package/screen_table.h"
#include "package/subject_chooser_hook.h"
#include "package/voucher_screen_hook.h"
#include "subjects/detail_test.h"
#include "subjects/opening_carry_over.h"
#include "subjects/opening_rows.h"
#include "subjects/opening_trial.h"
#include "subjects/subject_chooser_model.h"
#include "subjects/subject_queries.h"
#include "vouchers/voucher_numbering.h"

namespace qj::package {
namespace {

data::Connection& db() { return Host().FindStartupDB(); }

subjects::CodeStructure codeStructure() { return subjects::CodeStructure(Host().accountBooksData().SubjectLevelLen); }

void showFinanceForm(const std::string& key, VorParams&) {
  // An unknown key, or one whose screen this build lacks, does nothing.
  if (const ScreenEntry* entry = FindScreen(key)) OpenScreen(*entry);
}

void getAccountVoucherTypeCode(const std::string&, VorParams& bag) {
  const Period period = Period::ofDate(bag.GetDate("asDate"));
  bag.AddValue("iAccountVoucherType", vouchers::NextTypeCode(db(), period, bag.GetInteger("asCredID")));
}

void getCredCode(const std::string&, VorParams& bag) {
  const auto id = vouchers::NextCredId(db(), Period::ofDate(bag.GetDate("asDate")));
  if (!id) Show(Host(), vouchers::MonthFullRefusal());
  bag.AddValue("CredID", id.value_or(""));
}

void getAllSubName(const std::string&, VorParams& bag) {
  bag.AddValue("SubName", subjects::FullSubjectName(db(), codeStructure(), bag.GetString("asSubjectID"),
                                                    bag.GetBoolean("bWithSubjectID")));
}

void gotoSpecialCred(const std::string&, VorParams& bag) {
  // Without screens there is nothing to open, and nothing to tell the user.
  const VoucherScreenOpener& open = TheVoucherScreenOpener();
  if (!open) return;
  HostServices& host = Host();
  if (!host.HasOvoPrivilege2(58, 1, true)) return;
  // The screen is modal: while one is showing it cannot be shown a second time.
  if (host.FormIsExist(kVoucherScreenName)) return;
  open(bag.GetString("asOldCredID"));
}

void getAsSubCode(const std::string&, VorParams& bag) {
  HostServices& host = Host();
  if (!host.HasOvoPrivilege2(8, 1, true)) return;
  const SubjectChooser& choose = TheSubjectChooser();
  if (!choose || host.FormIsExist(subjects::SubjectChooserModel::kScreenName)) return;
  bag.AddValue("asSubCode", choose().value_or(""));
}

void getSubjectIdParam(const std::string&, VorParams& bag) {
  bag.AddValue("result", std::int64_t{subjects::SubjectPrefixCount(db(), bag.GetString("asSubjectID"))});
}

void addReleSubjectStartData(const std::string&, VorParams& bag) {
  if (!subjects::AddReleSubjectStartData(db(), bag.GetString("asSubjectID"), bag.GetMoney("cDebit"),
                                         bag.GetMoney("cCredit"), bag.GetMoney("cBalance")))
    Host().ShowMsgBox(subjects::kCarryOverFailedMessage, Host().asProductionName(), msgbox::IconError);
}

void subjectStartDataCheck(const std::string&, VorParams& bag) {
  bag.AddValue("result", subjects::RunTrialBalance(db(), codeStructure()).balanced());
}

void createSubjectStartData(const std::string&, VorParams&) { subjects::CreateSubjectStartData(db()); }

void subjectStartDataInitial(const std::string&, VorParams&) { subjects::SubjectStartDataInitial(db()); }

void startAccount(const std::string&, VorParams& bag) {
  StartAccount(db(), bag.GetInteger("Year"), bag.GetInteger("Month"));
  Host().ReloadAccountBooksData();
}

void fixedAssetsStartToBegin(const std::string&, VorParams& bag) {
  FixedAssetsStartToBegin(db(), bag.GetInteger("Year"), bag.GetInteger("Month"));
}

void setAccountBooksState(const std::string&, VorParams& bag) {
  SetAccountBooksState(db(), bag.GetInteger("iState"));
  Host().ReloadAccountBooksData();
}

void getMustCheckSameUserFlag(const std::string&, VorParams&) {
  const AuditFlags flags = ReadAuditFlags(db());
  Host().SetAuditFlags(flags.mustCheck, flags.sameUser);
}

void getSubName(const std::string&, VorParams& bag) {
  bag.AddValue("asSubName", subjects::SubjectName(db(), bag.GetString("Name")));
}

void subjectIdIsDetail(const std::string&, VorParams& bag) {
  bag.AddValue("result", subjects::IsDetailSubject(Host(), bag.GetString("SubCode"), true));
}

}  // namespace

const std::vector<CommandEntry>& CommandTable() {
  static const std::vector<CommandEntry> table = {
      {"SHOWFINANCEFORM", &showFinanceForm},
      {"GETAccountVoucherTypeCODE", &getAccountVoucherTypeCode},
      {"GETCREDCODE", &getCredCode},
      {"GETALLSUBNAME", &getAllSubName},
      {"GOTOSPECIALCRED", &gotoSpecialCred},
      {"GETASSUBCODE", &getAsSubCode},
      {"GETSUBJECTIDPARAM", &getSubjectIdParam},
      {"TBLSUBJECTSTARTDATAUPDATE", nullptr},  // registered for callers; has no effect
      {"ADDRELESUBJECTSTARTDATA", &addReleSubjectStartData},
      {"SUBJECTSTARTDATACHECK", &subjectStartDataCheck},
      {"CREATESUBJECTSTARTDATA", &createSubjectStartData},
      {"SubjectStartDataInitial", &subjectStartDataInitial},
      {"STARTACCOUNT", &startAccount},
      {"FIXEDASSETSSTARTTOBEGIN", &fixedAssetsStartToBegin},
      {"SETACCOUNTBOOKSSTATE", &setAccountBooksState},
      {"GETMUSTCHECKSAMEUSERFLAG", &getMustCheckSameUserFlag},
      {"GETSUBNAME", &getSubName},
      {"SUBJECTIDISDETAIL", &subjectIdIsDetail},
  };
  return table;
}

}  // namespace qj::package
