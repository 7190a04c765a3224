// Named locks of a book on a database server: session-level advisory locks,
// keyed (book, resource), on a connection used for nothing else, so that they
// never depend on the transactions of the data connection. The server drops a
// session's advisory locks when its connection ends, however the client died.
#include <memory>
#include <string>

#include "data/connection.h"
#include "data/db_error.h"
#include "host/advisory_lock_queries.h"
#include "host/lock_backend.h"

namespace qj::host::detail {
namespace {

// How soon the server gives up on a client that vanished from the network
// (and with it the client's locks): idle seconds before the first probe, the
// seconds between probes and the probes left unanswered.
struct Setting {
  const char* name;
  const char* value;
};
constexpr Setting kKeepalive[] = {
    {"tcp_keepalives_idle", "30"},
    {"tcp_keepalives_interval", "10"},
    {"tcp_keepalives_count", "3"},
};

class ServerLockBackend final : public LockBackend {
 public:
  ServerLockBackend(std::string uri, std::int32_t bookKey) : uri_(std::move(uri)), bookKey_(bookKey) {}
  ~ServerLockBackend() override { dropAll(); }

  bool change(Resource resource, Holding from, Holding to) override {
    ensureConnected();
    try {
      // Take what is new before giving up what is no longer wanted, so that the
      // hold never lapses in between.
      if (to.exclusive && !from.exclusive && !tryLock(resource, false)) return false;
      if (to.shared && !from.shared && !tryLock(resource, true)) {
        if (to.exclusive && !from.exclusive) unlock(resource, false);
        return false;
      }
      if (from.exclusive && !to.exclusive) unlock(resource, false);
      if (from.shared && !to.shared) unlock(resource, true);
      return true;
    } catch (const data::DbError& error) {
      throw LockFault(std::string("帐套锁与数据库服务器的连接出错，当前持有的帐套锁已全部失效：") + error.what());
    }
  }

  void dropAll() noexcept override {
    if (!connection_) return;
    try {
      // Released here and now: closing alone leaves the release to the server
      // process's exit, a moment later.
      AdvisoryUnlockAll(*connection_);
    } catch (...) {
      // The connection is already gone, and the locks with it.
    }
    connection_.reset();
  }

 private:
  void ensureConnected() {
    if (connection_) return;
    try {
      auto connection = data::OpenConnection(uri_, data::OpenMode::ExistingOnly);
      for (const Setting& setting : kKeepalive) SetSessionSetting(*connection, setting.name, setting.value);
      connection_ = std::move(connection);
    } catch (const data::DbError& error) {
      throw LockFault(std::string("无法建立帐套锁：") + error.what());
    }
  }

  bool tryLock(Resource resource, bool shared) {
    return TryAdvisoryLock(*connection_, bookKey_, static_cast<int>(resource), shared);
  }

  // An unlock the server refuses means its view and ours have parted; the
  // caller treats it as a fault and starts afresh.
  void unlock(Resource resource, bool shared) {
    if (!AdvisoryUnlock(*connection_, bookKey_, static_cast<int>(resource), shared))
      throw data::DbError(data::DbErrorKind::Other, "服务器上没有本应持有的帐套锁");
  }

  std::string uri_;
  std::int32_t bookKey_;
  std::unique_ptr<data::Connection> connection_;
};

}  // namespace

std::int32_t BookLockKey(const std::string& bookIdentity) {
  std::uint32_t hash = 2166136261u;
  for (const unsigned char c : bookIdentity) {
    hash ^= c;
    hash *= 16777619u;
  }
  return static_cast<std::int32_t>(hash);
}

std::unique_ptr<LockBackend> MakeServerLockBackend(std::string uri, const std::string& bookIdentity) {
  return std::make_unique<ServerLockBackend>(std::move(uri), BookLockKey(bookIdentity));
}

}  // namespace qj::host::detail
