// Named locks of an embedded book: one byte per resource in a lock file beside
// the book, locked with open-file-description locks.
//
// Open-file-description locks belong to the open file, not to the process:
// two sessions in one process exclude each other, closing some other
// descriptor of the same file does not drop them, and the kernel releases them
// when the last descriptor of the open file goes away, however the process
// ended. A process forked without exec shares the open file, and with it the
// locks, until it exits.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "host/lock_backend.h"

namespace qj::host::detail {
namespace {

std::string reasonOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "没有读写权限";
    case ENOENT:
    case ENOTDIR:
      return "所在文件夹不存在";
    case EROFS:
      return "所在磁盘是只读的";
    case ENOSPC:
      return "磁盘已满";
    case ENOLCK:
      return "系统的锁资源已用尽";
    case EINVAL:
    case EOPNOTSUPP:
      return "所在的文件系统不支持文件锁";
    default:
      return std::strerror(error);
  }
}

class FileLockBackend final : public LockBackend {
 public:
  FileLockBackend(std::string path, std::string bookPath) : path_(std::move(path)), bookPath_(std::move(bookPath)) {}
  ~FileLockBackend() override { dropAll(); }

  bool change(Resource resource, Holding from, Holding to) override {
    const short wanted = modeOf(to);
    if (wanted == modeOf(from)) return true;
    ensureOpen();
    struct flock range {};
    range.l_type = wanted;
    range.l_whence = SEEK_SET;
    range.l_start = static_cast<off_t>(resource);
    range.l_len = 1;
    range.l_pid = 0;
    while (::fcntl(fd_, F_OFD_SETLK, &range) == -1) {
      if (errno == EINTR) continue;
      const int error = errno;
      if (error == EAGAIN || error == EACCES) return false;
      throw LockFault("无法在帐套锁文件“" + path_ + "”上加锁：" + reasonOf(error) + "。");
    }
    return true;
  }

  void dropAll() noexcept override {
    if (fd_ < 0) return;
    // Unlock explicitly before closing: a child forked without exec may still
    // share this open file, and closing alone would leave the locks with it.
    struct flock whole {};
    whole.l_type = F_UNLCK;
    whole.l_whence = SEEK_SET;
    whole.l_start = 0;
    whole.l_len = 0;
    ::fcntl(fd_, F_OFD_SETLK, &whole);
    ::close(fd_);
    fd_ = -1;
  }

 private:
  // An exclusive hold outranks a shared one: the byte carries the strongest.
  static short modeOf(Holding holding) {
    if (holding.exclusive) return F_WRLCK;
    if (holding.shared) return F_RDLCK;
    return F_UNLCK;
  }

  void ensureOpen() {
    if (fd_ >= 0) return;
    // Created with the book file's read and write permissions whatever the
    // umask: whoever may open the book may also lock it, and nobody else.
    struct stat book {};
    const mode_t mode = ::stat(bookPath_.c_str(), &book) == 0 ? (book.st_mode & 0666) : 0600;
    for (int attempt = 0; attempt < 3 && fd_ < 0; ++attempt) {
      fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (fd_ >= 0) {
        ::fchmod(fd_, mode);
        return;
      }
      if (errno != EEXIST) break;
      fd_ = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
      if (fd_ < 0 && errno != ENOENT) break;  // ENOENT: removed meanwhile, create it again
    }
    if (fd_ < 0) {
      const int error = errno;
      throw LockFault("无法打开帐套锁文件“" + path_ + "”：" + reasonOf(error) + "。");
    }
  }

  std::string path_;
  std::string bookPath_;
  int fd_ = -1;
};

}  // namespace

std::unique_ptr<LockBackend> MakeFileLockBackend(std::string lockFilePath, std::string bookFilePath) {
  return std::make_unique<FileLockBackend>(std::move(lockFilePath), std::move(bookFilePath));
}

}  // namespace qj::host::detail
