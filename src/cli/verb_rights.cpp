#include "cli/verb_rights.h"

#include <algorithm>
#include <stdexcept>

#include "base/screen_table.h"
#include "base/upper_case.h"
#include "cli/commands.h"

namespace qj::cli {
namespace {

// A right as the screen a verb stands for asks it: the function number comes
// from the package's screen table, so that the two cannot drift apart.
struct ScreenRight {
  const char* screen;
  int action;
};

constexpr int kOpen = 1, kAdd = 2, kModify = 3, kDelete = 4, kRun = 5;
constexpr ScreenRight kSubjectsRead{"FRMSUBJECT1", kOpen}, kSubjectsAdd{"FRMSUBJECT1", kAdd},
    kSubjectsModify{"FRMSUBJECT1", kModify}, kSubjectsDelete{"FRMSUBJECT1", kDelete};
// A new voucher is saved with the add and the edit right, as on the screen.
constexpr ScreenRight kVouchersRead{"VOUCHERVOICE_FRM", kOpen}, kVouchersAdd{"VOUCHERVOICE_FRM", kAdd},
    kVouchersEdit{"VOUCHERVOICE_FRM", kModify}, kVouchersDelete{"VOUCHERVOICE_FRM", kDelete};
constexpr ScreenRight kOpeningRead{"SUBJECTINITLIST_FRM", kOpen}, kOpeningModify{"SUBJECTINITLIST_FRM", kModify};
constexpr ScreenRight kAudit{"FRMVOUAUADI", kRun}, kReverseAudit{"FRMANTIVOUADUI", kRun},
    kPosting{"VOUCHERLOGONACCOUNT_FRM", kRun}, kReversePosting{"VOUCHERUNLOGONACC_FRM", kRun},
    kCarry{"TRANSFERPROFITLOSS_FRM", kRun}, kExchange{"AUDIEXCHANGE_FRM", kRun}, kClose{"PERIODENDOFF_FRM", kRun},
    kReopen{"UNCHECKOUT_FRM", kRun};
constexpr ScreenRight kDetailLedger{"DETAILTYPELIST_FRM", kOpen}, kJournal{"DIARYLIST_FRM", kOpen},
    kGeneralLedger{"COUNTKINDLEDGERLIST_FRM", kOpen};

const std::vector<std::pair<std::string, std::vector<ScreenRight>>>& verbScreenRights() {
  static const std::vector<std::pair<std::string, std::vector<ScreenRight>>> table = {
      {"subject list", {kSubjectsRead}},
      {"subject add", {kSubjectsAdd}},
      {"subject modify", {kSubjectsModify}},
      {"subject delete", {kSubjectsDelete}},
      {"subject import", {kSubjectsAdd}},
      {"opening set", {kOpeningModify}},
      {"opening check", {kOpeningRead}},
      {"opening show", {kOpeningRead}},
      {"voucher add", {kVouchersAdd, kVouchersEdit}},
      {"voucher show", {kVouchersRead}},
      {"voucher delete", {kVouchersDelete}},
      {"voucher import", {kVouchersAdd, kVouchersEdit}},
      {"demo generate", {kSubjectsAdd, kVouchersAdd, kVouchersEdit}},
      {"audit", {kAudit}},
      {"unaudit", {kReverseAudit}},
      {"post", {kPosting}},
      {"unpost", {kReversePosting}},
      {"carry", {kCarry}},
      {"fx", {kExchange}},
      {"close", {kClose}},
      {"reopen", {kReopen}},
      {"ledger detail", {kDetailLedger}},
      {"ledger journal", {kJournal}},
      {"ledger general", {kGeneralLedger}},
  };
  return table;
}

std::vector<Right> resolved(const std::vector<ScreenRight>& rights) {
  std::vector<Right> out;
  for (const ScreenRight& right : rights) {
    const base::ScreenEntry* entry = base::FindScreen(right.screen);
    if (!entry) throw std::logic_error(std::string("no screen ") + right.screen);
    out.push_back({entry->privilege, right.action});
  }
  return out;
}

}  // namespace

const std::vector<std::pair<std::string, std::vector<Right>>>& VerbRightTable() {
  static const std::vector<std::pair<std::string, std::vector<Right>>> table = [] {
    std::vector<std::pair<std::string, std::vector<Right>>> built;
    for (const auto& [verb, rights] : verbScreenRights()) built.emplace_back(verb, resolved(rights));
    return built;
  }();
  return table;
}

const std::vector<Right>& VerbRights(const std::string& verb) {
  const auto& table = VerbRightTable();
  const auto found = std::find_if(table.begin(), table.end(), [&](const auto& entry) { return entry.first == verb; });
  if (found == table.end()) throw std::logic_error("no rights registered for the verb " + verb);
  return found->second;
}

void RequireVerbRights(host::HostApplication& host, const std::string& verb) {
  for (const Right& right : VerbRights(verb))
    if (!host.HasOvoPrivilege2(right.function, right.action, true)) throw RefusedError("权限不足，没有做任何修改。");
}

bool ChangesBookSetUp(const std::string& command) {
  static const std::vector<std::string> commands = {"SUBJECTSTARTDATAINITIAL", "STARTACCOUNT",
                                                    "ADDRELESUBJECTSTARTDATA", "SETACCOUNTBOOKSSTATE",
                                                    "FIXEDASSETSSTARTTOBEGIN", "CREATESUBJECTSTARTDATA"};
  return std::find(commands.begin(), commands.end(), base::UpperCase(command)) != commands.end();
}

}  // namespace qj::cli
