#include "host/book_locations.h"

#include <cstdlib>
#include <filesystem>

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

}  // namespace qj::host
