#include "host/book_locations.h"

#include <cstdlib>
#include <filesystem>

#include "host/book_creation.h"
#include "host/host_error.h"

namespace qj::host {

std::string DefaultBookPath() {
  std::filesystem::path base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    base = data;
  else if (const char* home = std::getenv("HOME"); home && *home)
    base = std::filesystem::path(home) / ".local" / "share";
  else
    base = std::filesystem::temp_directory_path();
  return (base / "qingjian" / "default-book.sqlite").string();
}

std::string EnsureDefaultBook(const ChartInstaller& installChart, bool* created) {
  std::string path = DefaultBookPath();
  if (created) *created = false;
  if (std::filesystem::exists(path)) return path;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  if (error) throw HostError("无法建立默认帐套所在的文件夹：" + error.message());
  NewBook book;
  book.location = path;
  book.start = Period::ofDate(Date::today());
  book.companyName = "我的公司";
  book.installChart = installChart;
  book.segmentLengths = {4, 2, 2, 2};
  CreateBook(book);
  if (created) *created = true;
  return path;
}

}  // namespace qj::host
