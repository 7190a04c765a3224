// The named locks between sessions. Most cases set a session in this process
// against one in a child process of its own, steered over a pipe, because the
// properties that matter hold between processes (and machines).
#include "host/named_locks.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "data/connection.h"
#include "host/lock_backend.h"
#include "support/scratch_database.h"

namespace qj::host {
namespace {

using test::ScratchDatabase;

const char* const kEveryLock[] = {"CREDSHARE", "CREDLOCK", "CREDWLOCK", "PrintStyleLock", "ACCLOCK"};

// The other session: a child process with a NamedLocks of its own on the book,
// answering commands, one a packet ("o" open, "aNAME" acquire, "rNAME" release,
// "e" end the session, the process living on), with '1' or '0'. The child uses
// no test macros and leaves by _exit, so nothing of the parent's test runs twice.
class OtherProcess {
 public:
  OtherProcess(const std::string& location, const std::string& identity) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) throw std::runtime_error("socketpair");
    std::fflush(nullptr);
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork");
    if (pid_ == 0) serve(ends[1], NamedLocks::ForBook(location, identity));
    ::close(ends[1]);
    socket_ = ends[0];
  }
  OtherProcess(const OtherProcess&) = delete;
  OtherProcess& operator=(const OtherProcess&) = delete;
  ~OtherProcess() { killHard(); }

  bool openBook() { return ask("o"); }
  bool acquire(const std::string& name) { return ask("a" + name); }
  void release(const std::string& name) { ask("r" + name); }
  // Destroys the child's NamedLocks; the process stays alive.
  void endSession() { ask("e"); }
  // Kills the process outright and waits until it is gone.
  void killHard() {
    if (pid_ > 0) ::kill(pid_, SIGKILL), ::waitpid(pid_, nullptr, 0), ::close(socket_);
    pid_ = -1;
  }

 private:
  [[noreturn]] static void serve(int socket, std::unique_ptr<NamedLocks> locks) {
    char command[128];
    for (ssize_t got; (got = ::recv(socket, command, sizeof command, 0)) > 0;) {
      const std::string name(command + 1, static_cast<std::size_t>(got - 1));
      bool answer = locks != nullptr;  // false once the session has ended
      if (answer && command[0] == 'o')
        answer = locks->openBook();
      else if (answer && command[0] == 'a')
        answer = locks->acquire(name);
      else if (answer && command[0] == 'r')
        locks->release(name);
      else
        locks.reset();
      if (::send(socket, answer ? "1" : "0", 1, MSG_NOSIGNAL) != 1) break;
    }
    ::_exit(0);
  }

  bool ask(const std::string& command) {
    pollfd ready{socket_, POLLIN, 0};
    char reply = 0;
    if (::send(socket_, command.data(), command.size(), MSG_NOSIGNAL) < 0 || ::poll(&ready, 1, 20000) != 1 ||
        ::recv(socket_, &reply, 1, 0) != 1) {
      ADD_FAILURE() << "the other session did not answer \"" << command << "\"";
      return false;
    }
    return reply == '1';
  }

  pid_t pid_ = -1;
  int socket_ = -1;
};

class LockSessions : public ::testing::TestWithParam<data::Engine> {
 protected:
  bool onServer() const { return GetParam() == data::Engine::Postgres; }
  std::unique_ptr<NamedLocks> session(const std::string& location = {}) const {
    return NamedLocks::ForBook(location.empty() ? book_.location() : location, identity_);
  }
  std::unique_ptr<OtherProcess> otherProcess() const {
    return std::make_unique<OtherProcess>(book_.location(), identity_);
  }

  // Right after a holder died: at once for the lock file; the server releases
  // a dead client's locks once it has seen the connection close, a moment later.
  template <class Locks>
  bool grantedOnceHolderIsGone(Locks& locks, const char* name) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(onServer() ? 10 : 0);
    while (!locks.acquire(name)) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }

  ScratchDatabase book_{GetParam()};
  std::string identity_ = "qj-lock-test:" + book_.location();
};

// ---------------------------------------------------------------------------
// Between two sessions.

// Whether a lock (column) is granted while another session holds one (row), in the order of kEveryLock.
const char* const kGrantedBeside[] = {
    "10110",  // CREDSHARE: shares the ledger with entry and voucher saving, keeps posting out
    "00010",  // CREDLOCK: leaves only print layouts to others
    "10010",  // CREDWLOCK: one saver at a time, entry stays open
    "11100",  // PrintStyleLock: one holder at a time
    "00000",  // ACCLOCK: nothing
};

TEST_P(LockSessions, EachLockAdmitsExactlyTheLocksOfOthersItMay) {
  auto mine = session();
  auto other = otherProcess();
  for (int held = 0; held < 5; ++held) {
    for (int wanted = 0; wanted < 5; ++wanted) {
      SCOPED_TRACE(std::string(kEveryLock[held]) + " held elsewhere, " + kEveryLock[wanted] + " wanted");
      const bool granted = kGrantedBeside[held][wanted] == '1';
      ASSERT_TRUE(other->acquire(kEveryLock[held]));
      EXPECT_EQ(mine->acquire(kEveryLock[wanted]), granted);
      EXPECT_EQ(mine->holds(kEveryLock[wanted]), granted);
      if (granted) mine->release(kEveryLock[wanted]);
      other->release(kEveryLock[held]);
      // A refused request gives back whatever parts it had already taken (the book, the ledger shared).
      EXPECT_TRUE(other->acquire("CREDLOCK") && other->acquire("ACCLOCK")) << "this session left a hold behind";
      other->release("CREDLOCK");
      other->release("ACCLOCK");
    }
  }
}

TEST_P(LockSessions, PostingWaitsForTheLastOfManySharersToLeave) {
  auto mine = session();
  auto sharer = otherProcess();
  auto poster = otherProcess();
  ASSERT_TRUE(mine->acquire("CREDSHARE"));
  ASSERT_TRUE(sharer->acquire("CREDSHARE"));
  mine->release("CREDSHARE");
  EXPECT_FALSE(poster->acquire("CREDLOCK")) << "one sharer is still in the ledger";
  sharer->release("CREDSHARE");
  EXPECT_TRUE(poster->acquire("CREDLOCK"));
}

TEST_P(LockSessions, WholeBookLockAndOpenBooksExcludeEachOtherUntilTheSessionEnds) {
  auto mine = session();
  auto other = otherProcess();
  ASSERT_TRUE(mine->openBook());
  ASSERT_TRUE(mine->acquire("ACCLOCK"));
  EXPECT_FALSE(other->openBook());
  mine->release("ACCLOCK");

  ASSERT_TRUE(other->openBook());
  EXPECT_FALSE(mine->acquire("ACCLOCK")) << "the other session has the book open";
  for (const char* name : {"CREDSHARE", "CREDSHARE", "CREDWLOCK", "PrintStyleLock"}) ASSERT_TRUE(other->acquire(name));
  other->endSession();  // the process lives on: the release is the session's own doing
  for (const char* name : {"CREDLOCK", "PrintStyleLock", "ACCLOCK"}) EXPECT_TRUE(mine->acquire(name)) << name;
}

TEST_P(LockSessions, KilledHolderLeavesNoLockBehind) {
  // First a holder of shared holds, then one of the whole book, which may take every other lock.
  const std::vector<std::vector<const char*>> holdings = {
      {"CREDSHARE", "CREDWLOCK", "PrintStyleLock"},
      {"ACCLOCK", "CREDSHARE", "CREDLOCK", "CREDWLOCK", "PrintStyleLock"}};
  for (const auto& held : holdings) {
    auto mine = session();
    auto other = otherProcess();
    ASSERT_TRUE(other->openBook());
    for (const char* name : held) ASSERT_TRUE(other->acquire(name)) << name;
    ASSERT_FALSE(mine->acquire("CREDLOCK"));

    other->killHard();
    for (const char* name : kEveryLock) EXPECT_TRUE(grantedOnceHolderIsGone(*mine, name)) << name;
    EXPECT_TRUE(mine->openBook());
  }
}

TEST_P(LockSessions, DestroyingAHolderReleasesEvenWhatAForkedChildInherited) {
  auto mine = session();
  ASSERT_TRUE(mine->openBook());
  ASSERT_TRUE(mine->acquire("ACCLOCK"));
  ASSERT_TRUE(mine->acquire("CREDLOCK"));
  // The child inherits this session's lock file or connection, which must not keep the locks alive.
  auto other = otherProcess();
  ASSERT_FALSE(other->openBook());

  mine.reset();
  EXPECT_TRUE(other->openBook());
  EXPECT_TRUE(other->acquire("CREDLOCK"));
}

TEST_P(LockSessions, OwnLocksNeverConflictAndEachGrantNeedsItsOwnRelease) {
  auto mine = session();
  auto other = otherProcess();
  ASSERT_TRUE(mine->openBook());
  ASSERT_TRUE(mine->acquire("CREDSHARE"));
  // Releasing names not held gives back nothing, not even holds they share with what is held.
  for (const char* name : {"CREDWLOCK", "CREDLOCK", "ACCLOCK", "PrintStyleLock", "NOSUCHLOCK"}) mine->release(name);
  EXPECT_FALSE(other->acquire("CREDLOCK"));
  EXPECT_FALSE(other->acquire("ACCLOCK"));

  for (const char* name : {"CREDLOCK", "CREDLOCK", "CREDWLOCK", "ACCLOCK"}) ASSERT_TRUE(mine->acquire(name)) << name;
  mine->release("ACCLOCK");
  EXPECT_TRUE(other->openBook()) << "the book is back to shared";
  mine->release("CREDLOCK");
  EXPECT_TRUE(mine->holds("CREDLOCK"));
  EXPECT_FALSE(other->acquire("CREDSHARE")) << "one grant of the posting lock is left";
  mine->release("CREDLOCK");
  EXPECT_FALSE(mine->holds("CREDLOCK"));
  EXPECT_TRUE(other->acquire("CREDSHARE")) << "the ledger is back to shared";
  EXPECT_FALSE(other->acquire("CREDWLOCK")) << "still held here";

  for (const char* name : {"CREDWLOCK", "CREDSHARE", "CREDSHARE"}) mine->release(name);
  EXPECT_TRUE(other->acquire("CREDLOCK"));
  EXPECT_FALSE(other->acquire("ACCLOCK")) << "the book is still open here";
}

TEST_P(LockSessions, UnknownNameIsRefusedAndCaseDoesNotMatter) {
  auto mine = session();
  EXPECT_FALSE(mine->acquire("CREDLOCKS"));
  EXPECT_FALSE(mine->lastError().empty());
  ASSERT_TRUE(mine->acquire("credshare"));
  EXPECT_TRUE(mine->lastError().empty());
  EXPECT_TRUE(mine->holds("CredShare"));
}

TEST_P(LockSessions, SessionsInOneProcessExcludeEachOther) {
  auto mine = session();
  auto second = session();
  auto other = otherProcess();
  ASSERT_TRUE(second->acquire("CREDLOCK"));
  EXPECT_FALSE(mine->acquire("CREDSHARE"));
  second->release("CREDLOCK");
  ASSERT_TRUE(mine->acquire("CREDWLOCK"));
  EXPECT_FALSE(other->acquire("CREDWLOCK"));
  mine->release("CREDWLOCK");
  EXPECT_TRUE(other->acquire("CREDWLOCK"));
}

TEST_P(LockSessions, EmbeddedBookLockFileIsOpenToExactlyThoseWhoMayOpenTheBook) {
  if (onServer()) GTEST_SKIP() << "a book on a server has no lock file";
  { auto connection = book_.open(); }  // the book file
  const std::string lockFile = book_.location() + "-locks";
  std::filesystem::remove(lockFile);
  for (const auto permissions : {std::filesystem::perms(0640), std::filesystem::perms(0664)}) {
    std::filesystem::permissions(book_.location(), permissions);
    ASSERT_TRUE(session()->acquire("CREDLOCK"));
    EXPECT_EQ(std::filesystem::status(lockFile).permissions() & std::filesystem::perms::all, permissions);
    std::filesystem::remove(lockFile);
  }
}

TEST_P(LockSessions, EmbeddedBookLockFileHoldsThroughOtherDescriptorsAndLinks) {
  if (onServer()) GTEST_SKIP() << "a book on a server has no lock file";
  auto mine = session();
  ASSERT_TRUE(mine->acquire("CREDLOCK"));
  // Closing other descriptors of the lock file, or of the book as the data layer does, keeps the locks.
  const int fd = ::open((book_.location() + "-locks").c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ::close(fd);
  { auto connection = book_.open(); }
  EXPECT_FALSE(otherProcess()->acquire("CREDSHARE"));

  const std::filesystem::path link = std::filesystem::path(book_.folder()) / "elsewhere" / "link.sqlite";
  std::filesystem::create_directory(link.parent_path());
  std::filesystem::create_symlink(book_.location(), link);
  EXPECT_FALSE(session(link.string())->acquire("CREDSHARE"));

  auto nowhere = session(book_.folder() + "/no-such-folder/book.sqlite");
  EXPECT_FALSE(nowhere->openBook());
  EXPECT_NE(nowhere->lastError().find("帐套锁文件"), std::string::npos) << nowhere->lastError();
  EXPECT_FALSE(nowhere->acquire("CREDWLOCK"));
  EXPECT_FALSE(nowhere->lastError().empty());
}

TEST_P(LockSessions, LostServerConnectionDropsTheLocksAndTheNextRequestStartsAfresh) {
  if (!onServer()) GTEST_SKIP() << "a server's lock connection";
  auto mine = session();
  ASSERT_TRUE(mine->openBook());
  ASSERT_TRUE(mine->acquire("CREDLOCK"));

  // The server ends the lock connection, as when the network goes.
  const auto bookKey = static_cast<long long>(static_cast<std::uint32_t>(detail::BookLockKey(identity_)));
  const auto ended = book_.open()->query(
      "SELECT pg_terminate_backend(pid) FROM pg_locks "
      "WHERE locktype = 'advisory' AND objsubid = 2 AND CAST(classid AS bigint) = :book "
      "AND pid <> pg_backend_pid()",
      {{"book", bookKey}});
  ASSERT_FALSE(ended.empty());
  EXPECT_FALSE(mine->acquire("CREDSHARE"));
  EXPECT_FALSE(mine->lastError().empty());
  EXPECT_FALSE(mine->holds("CREDLOCK"));

  auto other = otherProcess();
  EXPECT_TRUE(grantedOnceHolderIsGone(*other, "CREDLOCK")) << "the ended connection's locks are gone";
  other->release("CREDLOCK");
  ASSERT_TRUE(mine->acquire("CREDSHARE")) << mine->lastError();
  mine->release("CREDSHARE");
  EXPECT_FALSE(other->acquire("ACCLOCK")) << "the book was opened again with the new connection";
}

INSTANTIATE_TEST_SUITE_P(Engines, LockSessions, ::testing::ValuesIn(test::TestEngines()), test::EngineParamName);

TEST(ServerLockFaults, ServerThatCannotBeReachedRefusesWithAReason) {
  auto locks = NamedLocks::ForBook("postgresql://nobody@127.0.0.1:1/none", "qj-lock-test:unreachable");
  EXPECT_FALSE(locks->openBook());
  EXPECT_FALSE(locks->acquire("CREDSHARE"));
  EXPECT_FALSE(locks->lastError().empty());
}

}  // namespace
}  // namespace qj::host
