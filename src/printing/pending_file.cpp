#include "printing/pending_file.h"

#include <filesystem>
#include <system_error>

namespace qj::printing {

PendingFile::PendingFile(std::string destination)
    : destination_(std::move(destination)), temporary_(destination_ + ".qjtmp") {}

PendingFile::~PendingFile() {
  if (!committed_) discard();
}

bool PendingFile::commit() {
  std::error_code error;
  std::filesystem::rename(temporary_, destination_, error);
  if (error) {
    discard();
    return false;
  }
  committed_ = true;
  return true;
}

void PendingFile::discard() {
  std::error_code ignored;
  std::filesystem::remove(temporary_, ignored);
}

std::string CannotWriteMessage(const std::string& path) {
  return "无法写入文件“" + path + "”，请检查文件夹是否存在、是否有写入权限、磁盘空间是否足够。";
}

}  // namespace qj::printing
