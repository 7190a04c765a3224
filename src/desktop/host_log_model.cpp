#include "desktop/host_log_model.h"

#include "host/host_log_store.h"
#include "hostapi/host_services.h"

namespace qj::desktop {

void HostLogModel::load(std::optional<int> code) {
  // One entry more than the limit tells whether older entries exist.
  const std::vector<host::HostLogEntry> read = host::ReadHostLog(db_, kLimit + 1, code);
  entries_.clear();
  truncated_ = read.size() > static_cast<std::size_t>(kLimit);
  for (std::size_t i = 0; i < read.size() && i < static_cast<std::size_t>(kLimit); ++i)
    entries_.push_back({read[i].time, read[i].user, read[i].code, read[i].text});
  codes_ = host::ReadHostLogCodes(db_);
}

std::string HostLogModel::CodeName(int code) {
  switch (code) {
    case logcode::ScreenOpened:
      return "打开窗口";
    case logcode::ScreenClosed:
      return "关闭窗口";
    default:
      return {};
  }
}

}  // namespace qj::desktop
