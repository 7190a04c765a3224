#include "cli/verb_rights.h"

#include <algorithm>
#include <stdexcept>

#include "cli/commands.h"
#include "package/upper_case.h"

namespace qj::cli {
namespace {

// Function numbers and actions of the screens the verbs stand for.
constexpr Right kSubjectsRead{8, 1}, kSubjectsAdd{8, 2}, kSubjectsModify{8, 3}, kSubjectsDelete{8, 4};
// A new voucher is saved with the add and the edit right, as on the screen.
constexpr Right kVouchersRead{58, 1}, kVouchersAdd{58, 2}, kVouchersEdit{58, 3}, kVouchersDelete{58, 4};
constexpr Right kOpeningRead{73, 1}, kOpeningModify{73, 3};
constexpr Right kAudit{59, 5}, kReverseAudit{75, 5}, kPosting{60, 5}, kReversePosting{76, 5};

}  // namespace

const std::vector<std::pair<std::string, std::vector<Right>>>& VerbRightTable() {
  static const std::vector<std::pair<std::string, std::vector<Right>>> table = {
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
  };
  return table;
}

const std::vector<Right>& VerbRights(const std::string& verb) {
  const auto& table = VerbRightTable();
  const auto found = std::find_if(table.begin(), table.end(), [&](const auto& entry) { return entry.first == verb; });
  if (found == table.end()) throw std::logic_error("命令 " + verb + " 没有登记所需的权限");
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
  return std::find(commands.begin(), commands.end(), package::UpperCase(command)) != commands.end();
}

}  // namespace qj::cli
