#include "host/named_locks.h"

#include <filesystem>
#include <system_error>

#include "data/connection.h"
#include "host/lock_backend.h"

namespace qj::host {
namespace {

using detail::Resource;

constexpr int kShared = 0;
constexpr int kExclusive = 1;

struct Hold {
  Resource resource;
  int mode;
};

struct NamedLock {
  std::string_view name;
  int holdCount;
  std::array<Hold, 3> holds;  // taken in this order, given back in reverse
};

// What each name holds. Every lock but the whole-book one also uses the book,
// so that while a session has the book to itself nobody else can lock anything.
constexpr std::array<NamedLock, 5> kNamedLocks{{
    {"ACCLOCK", 1, {{{Resource::Book, kExclusive}}}},
    {"CREDLOCK", 2, {{{Resource::Book, kShared}, {Resource::Ledger, kExclusive}}}},
    {"CREDSHARE", 2, {{{Resource::Book, kShared}, {Resource::Ledger, kShared}}}},
    {"CREDWLOCK", 3, {{{Resource::Book, kShared}, {Resource::Ledger, kShared}, {Resource::VoucherWrite, kExclusive}}}},
    {"PrintStyleLock", 2, {{{Resource::Book, kShared}, {Resource::PrintStyle, kExclusive}}}},
}};

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

int indexOf(std::string_view name) {
  for (std::size_t i = 0; i < kNamedLocks.size(); ++i)
    if (sameNameIgnoringCase(kNamedLocks[i].name, name)) return static_cast<int>(i);
  return -1;
}

// The lock file of an embedded book, beside the book's real file, so that
// sessions reaching the book through different paths still meet there.
std::string lockFileOf(const std::string& bookPath) {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::weakly_canonical(bookPath, error);
  return (error ? bookPath : real.string()) + "-locks";
}

}  // namespace

std::unique_ptr<NamedLocks> NamedLocks::ForBook(const std::string& location, const std::string& bookIdentity) {
  auto backend = data::IsServerLocation(location) ? detail::MakeServerLockBackend(location, bookIdentity)
                                                  : detail::MakeFileLockBackend(lockFileOf(location), location);
  return std::unique_ptr<NamedLocks>(new NamedLocks(std::move(backend)));
}

NamedLocks::NamedLocks(std::unique_ptr<detail::LockBackend> backend) : backend_(std::move(backend)) {}

NamedLocks::~NamedLocks() { backend_->dropAll(); }

bool NamedLocks::openBook() {
  lastError_.clear();
  if (bookHeld_) return true;
  if (take(static_cast<int>(Resource::Book), kShared) != Outcome::Granted) return false;
  bookWanted_ = bookHeld_ = true;
  return true;
}

bool NamedLocks::acquire(std::string_view name) {
  lastError_.clear();
  const int index = indexOf(name);
  if (index < 0) {
    lastError_ = "没有名为“" + std::string(name) + "”的锁。";
    return false;
  }
  if (!takeBookAgainIfLost()) return false;
  int& grants = grants_[static_cast<std::size_t>(index)];
  if (grants > 0) {
    ++grants;
    return true;
  }
  const NamedLock& lock = kNamedLocks[static_cast<std::size_t>(index)];
  for (int i = 0; i < lock.holdCount; ++i) {
    const Hold& hold = lock.holds[static_cast<std::size_t>(i)];
    const Outcome outcome = take(static_cast<int>(hold.resource), hold.mode);
    if (outcome == Outcome::Granted) continue;
    // A fault has already dropped everything; a refusal gives back what this
    // request took so far.
    if (outcome == Outcome::Refused)
      for (int j = i - 1; j >= 0; --j) {
        const Hold& taken = lock.holds[static_cast<std::size_t>(j)];
        if (!drop(static_cast<int>(taken.resource), taken.mode)) break;
      }
    return false;
  }
  grants = 1;
  return true;
}

void NamedLocks::release(std::string_view name) {
  lastError_.clear();
  const int index = indexOf(name);
  if (index < 0) return;
  int& grants = grants_[static_cast<std::size_t>(index)];
  if (grants == 0 || --grants > 0) return;
  const NamedLock& lock = kNamedLocks[static_cast<std::size_t>(index)];
  for (int i = lock.holdCount - 1; i >= 0; --i) {
    const Hold& hold = lock.holds[static_cast<std::size_t>(i)];
    if (!drop(static_cast<int>(hold.resource), hold.mode)) return;
  }
}

bool NamedLocks::holds(std::string_view name) const {
  const int index = indexOf(name);
  return index >= 0 && grants_[static_cast<std::size_t>(index)] > 0;
}

NamedLocks::Outcome NamedLocks::take(int resource, int mode) {
  auto& counts = holdCounts_[static_cast<std::size_t>(resource)];
  const detail::Holding before{counts[kShared] > 0, counts[kExclusive] > 0};
  ++counts[static_cast<std::size_t>(mode)];
  const detail::Holding after{counts[kShared] > 0, counts[kExclusive] > 0};
  if (after == before) return Outcome::Granted;
  try {
    if (backend_->change(static_cast<Resource>(resource), before, after)) return Outcome::Granted;
    --counts[static_cast<std::size_t>(mode)];
    return Outcome::Refused;
  } catch (const detail::LockFault& fault) {
    failed(fault);
    return Outcome::Failed;
  }
}

bool NamedLocks::drop(int resource, int mode) {
  auto& counts = holdCounts_[static_cast<std::size_t>(resource)];
  const detail::Holding before{counts[kShared] > 0, counts[kExclusive] > 0};
  --counts[static_cast<std::size_t>(mode)];
  const detail::Holding after{counts[kShared] > 0, counts[kExclusive] > 0};
  if (after == before) return true;
  try {
    // Giving up a hold cannot be refused by another session; if it were, our
    // count and the real hold would have parted.
    if (!backend_->change(static_cast<Resource>(resource), before, after))
      throw detail::LockFault("帐套锁状态异常，当前持有的帐套锁已全部释放。");
    return true;
  } catch (const detail::LockFault& fault) {
    failed(fault);
    return false;
  }
}

// After a fault the session holds nothing; a book it had open is taken again
// before it may lock anything, so that "ACCLOCK" elsewhere keeps seeing it.
bool NamedLocks::takeBookAgainIfLost() {
  if (!bookWanted_ || bookHeld_) return true;
  if (take(static_cast<int>(Resource::Book), kShared) != Outcome::Granted) return false;
  bookHeld_ = true;
  return true;
}

void NamedLocks::failed(const std::exception& fault) {
  lastError_ = fault.what();
  backend_->dropAll();
  holdCounts_ = {};
  grants_ = {};
  bookHeld_ = false;
}

}  // namespace qj::host
