// Inside the named locks: the resources a session can hold and the two
// mechanisms that hold them for it (a lock file beside an embedded book, or
// advisory locks on the database server).
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace qj::host::detail {

// What the named locks are made of. The numbers are the byte offsets in the
// lock file and the second key of the server's advisory locks, so they must
// never change once books exist.
enum class Resource : std::uint8_t {
  Book = 0,          // shared by every session that has the book open
  Ledger = 1,        // the ledger: shared by voucher work, exclusive for posting
  VoucherWrite = 2,  // saving vouchers, one at a time
  PrintStyle = 3,    // saving print layouts, one at a time
};
inline constexpr int kResourceCount = 4;

// What one session holds on one resource.
struct Holding {
  bool shared = false;
  bool exclusive = false;
  bool operator==(const Holding&) const = default;
};

// The lock file or the lock server failed; the message is for the user.
class LockFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class LockBackend {
 public:
  LockBackend() = default;
  LockBackend(const LockBackend&) = delete;
  LockBackend& operator=(const LockBackend&) = delete;
  virtual ~LockBackend() = default;

  // Moves this session's hold on `resource` from `from` to `to`, never waiting.
  // Returns false, with the hold left as it was, when another session holds the
  // resource in a conflicting mode. Throws LockFault when the file or the
  // server fails; the caller then calls dropAll().
  virtual bool change(Resource resource, Holding from, Holding to) = 0;

  // Gives up every hold of this session at once; the next change() starts
  // afresh (reopening the file or reconnecting).
  virtual void dropAll() noexcept = 0;
};

// Byte-range locks on `lockFilePath`, created when missing with the read and
// write permissions of the book file.
std::unique_ptr<LockBackend> MakeFileLockBackend(std::string lockFilePath, std::string bookFilePath);
// Advisory locks on a connection of its own to the server at `uri`, keyed by
// the book identity.
std::unique_ptr<LockBackend> MakeServerLockBackend(std::string uri, const std::string& bookIdentity);

// The first advisory-lock key of a book: a 32-bit FNV-1a hash of its identity,
// the same on every machine.
std::int32_t BookLockKey(const std::string& bookIdentity);

}  // namespace qj::host::detail
