#include "package/dispatcher.h"

#include "base/host.h"
#include "base/upper_case.h"
#include "data/db_error.h"
#include "hostapi/refusal.h"
#include "package/command_table.h"

namespace qj::package {
namespace {

// Reports a failure to the user; must not throw itself.
template <class Report>
void safely(Report report) {
  try {
    report();
  } catch (...) {
    // Without a working host there is nobody left to tell.
  }
}

}  // namespace

const std::vector<std::string>& CommandNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const CommandEntry& entry : CommandTable()) out.push_back(entry.name);
    return out;
  }();
  return names;
}

long Dispatch(const std::string& command, const std::string& param, VorParams* params) {
  try {
    const std::string cmd = base::UpperCase(command);
    for (const CommandEntry& entry : CommandTable()) {
      if (base::UpperCase(entry.name) != cmd) continue;
      if (!entry.run) break;
      VorParams none;
      entry.run(base::UpperCase(param), params ? *params : none);
      break;
    }
  } catch (const data::DbError& error) {
    // The operation's own transaction has rolled back while the exception left it.
    safely([&] { base::Host().EDBEngineErrorHandler(error); });
  } catch (const std::exception& error) {
    safely([&] { Show(base::Host(), FailureRefusal(error)); });
  } catch (...) {
    safely([&] { base::Host().ShowMsgBox("操作因未知错误而中止，数据没有改变。", "错误", msgbox::IconError); });
  }
  return 0;
}

}  // namespace qj::package
