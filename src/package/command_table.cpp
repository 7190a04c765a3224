#include "package/command_table.h"

#include "base/book_state_store.h"
#include "base/host.h"
#include "base/screen_registry.h"
#include "base/screen_table.h"
#include "base/subject_chooser_hook.h"
#include "base/voucher_screen_hook.h"
#include "data/period.h"
#include "subjects/detail_test.h"
#include "subjects/opening_carry_over.h"
#include "subjects/opening_row_store.h"
#include "subjects/opening_trial.h"
#include "subjects/subject_chooser_model.h"
#include "subjects/subject_queries.h"
#include "vouchers/voucher_numbering_queries.h"

namespace qj::package {
namespace {

data::Connection& db() { return base::Host().FindStartupDB(); }

base::CodeStructure codeStructure() { return base::CodeStructure(base::Host().accountBooksData().SubjectLevelLen); }

void showFinanceForm(const std::string& key, VorParams&) {
  // An unknown key, or one whose screen this build lacks, does nothing.
  if (const base::ScreenEntry* entry = base::FindScreen(key)) base::OpenScreen(*entry);
}

void getAccountVoucherTypeCode(const std::string&, VorParams& bag) {
  const Period period = Period::ofDate(bag.GetDate("asDate"));
  bag.AddValue("iAccountVoucherType", vouchers::NextTypeCode(db(), period, bag.GetInteger("asCredID")));
}

void getCredCode(const std::string&, VorParams& bag) {
  const auto id = vouchers::NextCredId(db(), Period::ofDate(bag.GetDate("asDate")));
  if (!id) Show(base::Host(), vouchers::MonthFullRefusal());
  bag.AddValue("CredID", id.value_or(""));
}

void getAllSubName(const std::string&, VorParams& bag) {
  bag.AddValue("SubName", subjects::FullSubjectName(db(), codeStructure(), bag.GetString("asSubjectID"),
                                                    bag.GetBoolean("bWithSubjectID")));
}

void gotoSpecialCred(const std::string&, VorParams& bag) {
  // Without screens there is nothing to open, and nothing to tell the user.
  const base::VoucherScreenOpener& open = base::TheVoucherScreenOpener();
  if (!open) return;
  HostServices& host = base::Host();
  if (!host.HasOvoPrivilege2(58, 1, true)) return;
  // The screen is modal: while one is showing it cannot be shown a second time.
  if (host.FormIsExist(base::kVoucherScreenName)) return;
  open(host, bag.GetString("asOldCredID"));
}

void getAsSubCode(const std::string&, VorParams& bag) {
  HostServices& host = base::Host();
  if (!host.HasOvoPrivilege2(8, 1, true)) return;
  const base::SubjectChooser& choose = base::TheSubjectChooser();
  if (!choose || host.FormIsExist(subjects::SubjectChooserModel::kScreenName)) return;
  bag.AddValue("asSubCode", choose(host).value_or(""));
}

void getSubjectIdParam(const std::string&, VorParams& bag) {
  bag.AddValue("result", std::int64_t{subjects::SubjectPrefixCount(db(), bag.GetString("asSubjectID"))});
}

void addReleSubjectStartData(const std::string&, VorParams& bag) {
  if (!subjects::AddReleSubjectStartData(db(), bag.GetString("asSubjectID"), bag.GetMoney("cDebit"),
                                         bag.GetMoney("cCredit"), bag.GetMoney("cBalance")))
    base::Host().ShowMsgBox(subjects::kCarryOverFailedMessage, base::Host().asProductionName(), msgbox::IconError);
}

void subjectStartDataCheck(const std::string&, VorParams& bag) {
  bag.AddValue("result", subjects::RunTrialBalance(db(), codeStructure()).balanced());
}

void createSubjectStartData(const std::string&, VorParams&) { subjects::CreateSubjectStartData(db()); }

void subjectStartDataInitial(const std::string&, VorParams&) { subjects::SubjectStartDataInitial(db()); }

void startAccount(const std::string&, VorParams& bag) {
  base::StartAccount(db(), bag.GetInteger("Year"), bag.GetInteger("Month"));
  base::Host().ReloadAccountBooksData();
}

void fixedAssetsStartToBegin(const std::string&, VorParams& bag) {
  base::FixedAssetsStartToBegin(db(), bag.GetInteger("Year"), bag.GetInteger("Month"));
}

void setAccountBooksState(const std::string&, VorParams& bag) {
  base::SetAccountBooksState(db(), bag.GetInteger("iState"));
  base::Host().ReloadAccountBooksData();
}

void getMustCheckSameUserFlag(const std::string&, VorParams&) {
  const base::AuditFlags flags = base::ReadAuditFlags(db());
  base::Host().SetAuditFlags(flags.mustCheck, flags.sameUser);
}

void getSubName(const std::string&, VorParams& bag) {
  bag.AddValue("asSubName", subjects::SubjectName(db(), bag.GetString("Name")));
}

void subjectIdIsDetail(const std::string&, VorParams& bag) {
  bag.AddValue("result", subjects::IsDetailSubject(base::Host(), bag.GetString("SubCode"), true));
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
