#include "host/privileged_functions.h"

#include <algorithm>

#include "base/screen_table.h"

namespace qj::host {
namespace {

// One function per number, titled by the first screen of the table that
// asks it.
std::vector<PrivilegedFunction> build() {
  std::vector<PrivilegedFunction> functions;
  for (const base::ScreenEntry& screen : base::ScreenTable()) {
    const bool titled = std::any_of(functions.begin(), functions.end(),
                                    [&screen](const PrivilegedFunction& f) { return f.number == screen.privilege; });
    if (!titled) functions.push_back({screen.privilege, screen.title});
  }
  return functions;
}

}  // namespace

const std::vector<PrivilegedFunction>& PrivilegedFunctions() {
  static const std::vector<PrivilegedFunction> functions = build();
  return functions;
}

const std::vector<PrivilegeAction>& PrivilegeActions() {
  static const std::vector<PrivilegeAction> actions = {{1, "打开"}, {2, "新增"},     {3, "修改"},        {4, "删除"},
                                                       {5, "执行"}, {6, "打印输出"}, {7, "设计打印样式"}};
  return actions;
}

std::string PrivilegeName(int function, int action) {
  const auto& functions = PrivilegedFunctions();
  const auto& actions = PrivilegeActions();
  const auto titled = std::find_if(functions.begin(), functions.end(),
                                   [function](const PrivilegedFunction& f) { return f.number == function; });
  const auto acted =
      std::find_if(actions.begin(), actions.end(), [action](const PrivilegeAction& a) { return a.number == action; });
  if (titled == functions.end() || acted == actions.end()) return "此项操作";
  return "“" + titled->title + "”的“" + acted->title + "”";
}

}  // namespace qj::host
