// The host's named locks: how operations that must not run side by side
// exclude each other across the sessions working in one account book (a
// session is one open book in one process; sessions may run in different
// processes or on different machines).
//
//   "CREDSHARE"       shared use of the ledger (open voucher-entry screens);
//                     any number of sessions together, none while another
//                     holds "CREDLOCK".
//   "CREDLOCK"        exclusive use of the ledger (posting and the like);
//                     refused while another holds "CREDSHARE", "CREDLOCK" or
//                     "CREDWLOCK".
//   "CREDWLOCK"       saving vouchers: one holder at a time, and refused while
//                     another holds "CREDLOCK".
//   "PrintStyleLock"  saving print layouts: one holder at a time.
//   "ACCLOCK"         exclusive use of the whole book: refused while any other
//                     session has the book open or holds any lock; while it is
//                     held, no other session can open the book or take a lock.
//
// A session's own locks never conflict with each other. Locks are re-entrant:
// each grant needs its own release. Names compare without regard to case.
//
// Underneath, each name is a set of holds on four resources (the book, the
// ledger, voucher writing, print layouts), each shared or exclusive; every
// lock but "ACCLOCK" also holds the book shared. An embedded book keeps them as
// byte-range locks in a lock file beside it (the book's path + "-locks"); a
// book on a server keeps them as advisory locks on a connection of their own.
// Either way a session that dies leaves nothing behind: the kernel releases
// the file's locks when the process ends, the server those of a connection
// that ends (at once for a killed process, within about a minute
// for a client cut off from the network).
//
// Errors: requests never throw. A refused request returns false; when the
// refusal came from a failure of the lock file or the server rather than from
// another session, lastError() holds a Chinese sentence for the user, and the
// session has lost every lock it held (the file or connection is reopened on
// the next request, and an open book is opened again then).
//
// Not thread-safe: the host uses it from its user-interface thread. A process
// forked without exec shares an embedded book's locks with its parent.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace qj::host {

namespace detail {
class LockBackend;
}

class NamedLocks {
 public:
  // `location`: the book's SQLite path or its postgresql:// URI.
  // `bookIdentity`: a string unique to the book (its GUID); the same book must
  // be given the same identity on every machine.
  // Opens nothing yet: the lock file or connection is opened on first use.
  static std::unique_ptr<NamedLocks> ForBook(const std::string& location, const std::string& bookIdentity);

  NamedLocks(const NamedLocks&) = delete;
  NamedLocks& operator=(const NamedLocks&) = delete;
  // Releases everything still held, the book included.
  ~NamedLocks();

  // Marks the book as in use by this session, for as long as the object lives.
  // False when another session holds "ACCLOCK". Opening twice is opening once.
  [[nodiscard]] bool openBook();

  // Asks for a named lock without waiting; says whether it was granted.
  // An unknown name is refused (with a lastError()).
  [[nodiscard]] bool acquire(std::string_view name);
  // Gives back one grant of the lock; a name not held is ignored.
  void release(std::string_view name);
  [[nodiscard]] bool holds(std::string_view name) const;

  // Why the last openBook(), acquire() or release() failed, when the cause was
  // not simply another session's lock; empty otherwise.
  [[nodiscard]] const std::string& lastError() const { return lastError_; }

 private:
  enum class Outcome { Granted, Refused, Failed };
  static constexpr int kNameCount = 5;
  static constexpr int kResourceCount = 4;

  explicit NamedLocks(std::unique_ptr<detail::LockBackend> backend);

  // One hold more or less of a resource in a mode (0 shared, 1 exclusive).
  Outcome take(int resource, int mode);
  bool drop(int resource, int mode);
  bool takeBookAgainIfLost();
  void failed(const std::exception& fault);

  std::unique_ptr<detail::LockBackend> backend_;
  std::array<std::array<int, 2>, kResourceCount> holdCounts_{};
  std::array<int, kNameCount> grants_{};
  bool bookWanted_ = false;  // openBook() succeeded once
  bool bookHeld_ = false;    // and the hold is still in place
  std::string lastError_;
};

}  // namespace qj::host
