// A file written under a temporary name beside its destination and moved into
// place only once complete, so a failed write never leaves half a file and
// never spoils a file that was there before.
#pragma once

#include <string>

namespace qj::printing {

class PendingFile {
 public:
  explicit PendingFile(std::string destination);
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  // Removes the temporary file unless it was moved into place.
  ~PendingFile();

  // Where the writer writes.
  [[nodiscard]] const std::string& temporaryPath() const { return temporary_; }
  // Moves the temporary file onto the destination; false (and the temporary
  // file removed) when that fails.
  [[nodiscard]] bool commit();

 private:
  void discard();

  std::string destination_;
  std::string temporary_;
  bool committed_ = false;
};

// "无法写入文件“…”" with the likely causes, for the user.
std::string CannotWriteMessage(const std::string& path);

}  // namespace qj::printing
