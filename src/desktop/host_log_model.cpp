#include "desktop/host_log_model.h"

#include "hostapi/host_services.h"

namespace qj::desktop {

void HostLogModel::load(std::optional<int> code) {
  // One row more than the limit tells whether older entries exist.
  data::Params params{{"limit", kLimit + 1}};
  std::string where;
  if (code) {
    where = " WHERE LOGCODE = :code";
    params.push_back({"code", *code});
  }
  const data::Rows rows = db_.query("SELECT LOGTIME, USERNAME, LOGCODE, LOGTEXT FROM HostLog" + where +
                                        " ORDER BY LOGTIME DESC, LOGID DESC LIMIT :limit",
                                    params);
  entries_.clear();
  truncated_ = rows.size() > static_cast<std::size_t>(kLimit);
  for (std::size_t i = 0; i < rows.size() && i < static_cast<std::size_t>(kLimit); ++i) {
    const data::Row& row = rows[i];
    entries_.push_back(
        {row.text("LOGTIME"), row.text("USERNAME"), static_cast<int>(row.integer("LOGCODE")), row.text("LOGTEXT")});
  }
  codes_.clear();
  for (const data::Row& row : db_.query("SELECT DISTINCT LOGCODE FROM HostLog ORDER BY LOGCODE"))
    codes_.push_back(static_cast<int>(row.integer("LOGCODE")));
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
