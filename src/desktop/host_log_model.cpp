#include "desktop/host_log_model.h"

#include "hostapi/host_services.h"

namespace qj::desktop {

void HostLogModel::load(std::optional<int> code) {
  // One entry more than the limit tells whether older entries exist.
  entries_ = host::ReadHostLog(db_, kLimit + 1, code);
  truncated_ = entries_.size() > static_cast<std::size_t>(kLimit);
  if (truncated_) entries_.resize(static_cast<std::size_t>(kLimit));
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
