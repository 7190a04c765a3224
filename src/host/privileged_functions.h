// The functions of the package on which privileges are granted, and the
// actions of a privilege, as the user-administration screen offers them.
#pragma once

#include <string>
#include <vector>

namespace qj::host {

struct PrivilegedFunction {
  int number = 0;  // the function number the package checks
  std::string title;
};

struct PrivilegeAction {
  int number = 0;  // 1 open … 7 design print styles
  std::string title;
};

// The package's screens in menu order, each function number once.
const std::vector<PrivilegedFunction>& PrivilegedFunctions();
const std::vector<PrivilegeAction>& PrivilegeActions();

// How a refusal names a privilege: "“凭证审核”的“执行”", or "此项操作" for a
// function or action without a title.
std::string PrivilegeName(int function, int action);

}  // namespace qj::host
