// The named locks between sessions. Most cases set a session in this process
// against one in a child process of its own, steered over a pipe, because the
// properties that matter hold between processes (and machines).
#include "host/named_locks.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "data/connection.h"
#include "host/lock_backend.h"
#include "support/scratch_database.h"

namespace qj::host {
namespace {

using test::ScratchDatabase;

constexpr int kReplyTimeoutMs = 20000;
const char* const kEveryLock[] = {"ACCLOCK", "CREDLOCK", "CREDSHARE", "CREDWLOCK", "PrintStyleLock"};

// ---------------------------------------------------------------------------
// The child: one NamedLocks of its own on the book, answering commands, one a
// line: "open", "acquire NAME", "release NAME", "holds NAME" and "end" (ends
// the session, the process lives on). It answers "1" or "0". No test macros
// here, and _exit, so that nothing of the parent's test runs twice.

bool readLine(int fd, std::string& line, int timeoutMs) {
  line.clear();
  for (;;) {
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, timeoutMs) <= 0) return false;
    char c = 0;
    const ssize_t got = ::read(fd, &c, 1);
    if (got <= 0) return false;
    if (c == '\n') return true;
    line.push_back(c);
  }
}

bool writeLine(int fd, const std::string& text) {
  const std::string line = text + "\n";
  std::size_t done = 0;
  while (done < line.size()) {
    const ssize_t wrote = ::write(fd, line.data() + done, line.size() - done);
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

[[noreturn]] void serveCommands(int in, int out, const std::string& location, const std::string& identity) {
  std::unique_ptr<NamedLocks> locks = NamedLocks::ForBook(location, identity);
  std::string command;
  while (readLine(in, command, -1)) {
    const auto space = command.find(' ');
    const std::string verb = command.substr(0, space);
    const std::string name = space == std::string::npos ? "" : command.substr(space + 1);
    bool answer = false;
    if (!locks)
      answer = false;
    else if (verb == "open")
      answer = locks->openBook();
    else if (verb == "acquire")
      answer = locks->acquire(name);
    else if (verb == "release")
      locks->release(name), answer = true;
    else if (verb == "holds")
      answer = locks->holds(name);
    else if (verb == "end")
      locks.reset(), answer = true;
    if (!writeLine(out, answer ? "1" : "0")) break;
  }
  ::_exit(0);
}

// The parent's handle on the other session.
class OtherProcess {
 public:
  OtherProcess(const std::string& location, const std::string& identity) {
    std::signal(SIGPIPE, SIG_IGN);
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    std::fflush(nullptr);
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      ::close(toChild[1]);
      ::close(fromChild[0]);
      serveCommands(toChild[0], fromChild[1], location, identity);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    toChild_ = toChild[1];
    fromChild_ = fromChild[0];
  }
  OtherProcess(const OtherProcess&) = delete;
  OtherProcess& operator=(const OtherProcess&) = delete;

  ~OtherProcess() {
    closePipes();
    if (pid_ <= 0) return;
    // End of input ends the child; one that does not end is killed.
    for (int i = 0; i < 500; ++i) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }

  bool openBook() { return ask("open"); }
  bool acquire(const std::string& name) { return ask("acquire " + name); }
  void release(const std::string& name) { ask("release " + name); }
  bool holds(const std::string& name) { return ask("holds " + name); }
  // Destroys the child's NamedLocks; the process stays alive.
  void endSession() { ask("end"); }

  // Kills the process outright and waits until it is gone.
  void killHard() {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    closePipes();
  }

 private:
  bool ask(const std::string& command) {
    std::string reply;
    if (!writeLine(toChild_, command) || !readLine(fromChild_, reply, kReplyTimeoutMs)) {
      ADD_FAILURE() << "the other session did not answer \"" << command << "\"";
      return false;
    }
    return reply == "1";
  }

  void closePipes() {
    if (toChild_ >= 0) ::close(toChild_);
    if (fromChild_ >= 0) ::close(fromChild_);
    toChild_ = fromChild_ = -1;
  }

  pid_t pid_ = -1;
  int toChild_ = -1;
  int fromChild_ = -1;
};

// ---------------------------------------------------------------------------

class LockSessions : public ::testing::TestWithParam<data::Engine> {
 protected:
  bool onServer() const { return GetParam() == data::Engine::Postgres; }

  std::unique_ptr<NamedLocks> session() const { return NamedLocks::ForBook(book_.location(), identity_); }
  std::unique_ptr<OtherProcess> otherProcess() const {
    return std::make_unique<OtherProcess>(book_.location(), identity_);
  }

  // Right after a holder died: at once for the lock file; the server releases
  // a dead client's locks once it has seen the connection close, a moment later.
  bool grantedOnceHolderIsGone(NamedLocks& locks, const char* name) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(onServer() ? 10 : 0);
    for (;;) {
      if (locks.acquire(name)) return true;
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  ScratchDatabase book_{GetParam()};
  std::string identity_ = "qj-lock-test:" + book_.location();
};

std::string engineName(const ::testing::TestParamInfo<data::Engine>& info) { return test::EngineName(info.param); }

// ---------------------------------------------------------------------------
// The ledger locks between two sessions.

class LedgerLocks : public LockSessions {};

TEST_P(LedgerLocks, ManySessionsShareTheLedgerAndPostingWaitsForTheLastToLeave) {
  auto mine = session();
  auto sharer = otherProcess();
  auto poster = otherProcess();

  ASSERT_TRUE(mine->acquire("CREDSHARE"));
  ASSERT_TRUE(sharer->acquire("CREDSHARE"));
  EXPECT_FALSE(poster->acquire("CREDLOCK"));

  mine->release("CREDSHARE");
  EXPECT_FALSE(poster->acquire("CREDLOCK")) << "one sharer is still in the ledger";

  sharer->release("CREDSHARE");
  ASSERT_TRUE(poster->acquire("CREDLOCK"));
  EXPECT_FALSE(mine->acquire("CREDSHARE")) << "nobody enters vouchers while the ledger is posted";
  EXPECT_FALSE(sharer->acquire("CREDSHARE"));
}

TEST_P(LedgerLocks, PostingKeepsEveryLedgerLockOfOthersOut) {
  auto mine = session();
  auto poster = otherProcess();
  ASSERT_TRUE(poster->acquire("CREDLOCK"));

  EXPECT_FALSE(mine->acquire("CREDLOCK"));
  EXPECT_FALSE(mine->acquire("CREDSHARE"));
  EXPECT_FALSE(mine->acquire("CREDWLOCK"));
  EXPECT_TRUE(mine->acquire("PrintStyleLock")) << "print layouts are not the ledger";

  poster->release("CREDLOCK");
  EXPECT_TRUE(mine->acquire("CREDSHARE"));
}

TEST_P(LedgerLocks, VoucherSavingAndPostingExcludeEachOtherBothWays) {
  auto mine = session();
  auto other = otherProcess();

  ASSERT_TRUE(other->acquire("CREDWLOCK"));
  EXPECT_FALSE(mine->acquire("CREDLOCK"));
  other->release("CREDWLOCK");

  ASSERT_TRUE(mine->acquire("CREDLOCK"));
  EXPECT_FALSE(other->acquire("CREDWLOCK"));
  mine->release("CREDLOCK");
  EXPECT_TRUE(other->acquire("CREDWLOCK"));
}

TEST_P(LedgerLocks, VoucherSavingAndPrintLayoutsAdmitOneHolderAndLeaveEntryOpen) {
  auto mine = session();
  auto other = otherProcess();
  ASSERT_TRUE(other->acquire("CREDWLOCK"));
  ASSERT_TRUE(other->acquire("PrintStyleLock"));

  EXPECT_FALSE(mine->acquire("CREDWLOCK"));
  EXPECT_FALSE(mine->acquire("PrintStyleLock"));
  EXPECT_TRUE(mine->acquire("CREDSHARE")) << "saving a voucher does not close voucher entry";

  other->release("PrintStyleLock");
  EXPECT_TRUE(mine->acquire("PrintStyleLock"));
  EXPECT_FALSE(mine->acquire("CREDWLOCK"));
}

TEST_P(LedgerLocks, RefusedRequestGivesBackWhatItHadAlreadyTaken) {
  auto mine = session();
  auto other = otherProcess();
  // Refused only at its last part (voucher writing), after taking the book and
  // the ledger shared: both must be given back.
  ASSERT_TRUE(other->acquire("CREDWLOCK"));
  ASSERT_FALSE(mine->acquire("CREDWLOCK"));
  EXPECT_FALSE(mine->holds("CREDWLOCK"));

  other->release("CREDWLOCK");
  EXPECT_TRUE(other->acquire("CREDLOCK")) << "a shared ledger hold was left behind";
  EXPECT_TRUE(other->acquire("ACCLOCK")) << "a book hold was left behind";
}

INSTANTIATE_TEST_SUITE_P(Engines, LedgerLocks, ::testing::ValuesIn(test::TestEngines()), engineName);

// ---------------------------------------------------------------------------
// The whole-book lock.

class WholeBookLock : public LockSessions {};

TEST_P(WholeBookLock, IsRefusedWhileAnotherSessionHasTheBookOpen) {
  auto mine = session();
  auto other = otherProcess();
  ASSERT_TRUE(mine->openBook());
  ASSERT_TRUE(other->openBook());

  EXPECT_FALSE(mine->acquire("ACCLOCK"));
  other->endSession();
  EXPECT_TRUE(mine->acquire("ACCLOCK"));
}

TEST_P(WholeBookLock, IsRefusedWhileAnotherSessionHoldsAnyLock) {
  auto mine = session();
  auto other = otherProcess();
  for (const char* name : {"CREDSHARE", "CREDLOCK", "CREDWLOCK", "PrintStyleLock"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(other->acquire(name));  // without opening the book first
    EXPECT_FALSE(mine->acquire("ACCLOCK"));
    other->release(name);
    ASSERT_TRUE(mine->acquire("ACCLOCK"));
    mine->release("ACCLOCK");
  }
}

TEST_P(WholeBookLock, HolderKeepsOthersOutOfTheBookAndOfEveryLock) {
  auto mine = session();
  auto other = otherProcess();
  ASSERT_TRUE(mine->openBook());
  ASSERT_TRUE(mine->acquire("ACCLOCK"));

  EXPECT_FALSE(other->openBook());
  for (const char* name : kEveryLock) EXPECT_FALSE(other->acquire(name)) << name;

  mine->release("ACCLOCK");
  EXPECT_TRUE(other->openBook());
  EXPECT_FALSE(mine->acquire("ACCLOCK")) << "the other session has the book open now";
}

INSTANTIATE_TEST_SUITE_P(Engines, WholeBookLock, ::testing::ValuesIn(test::TestEngines()), engineName);

// ---------------------------------------------------------------------------
// Sessions that end, by their own hand or killed.

class EndedSessions : public LockSessions {};

TEST_P(EndedSessions, KilledHolderLeavesNoLockBehind) {
  auto mine = session();
  auto other = otherProcess();
  ASSERT_TRUE(other->openBook());
  ASSERT_TRUE(other->acquire("CREDSHARE"));
  ASSERT_TRUE(other->acquire("CREDWLOCK"));
  ASSERT_TRUE(other->acquire("PrintStyleLock"));
  ASSERT_FALSE(mine->acquire("CREDLOCK"));

  other->killHard();
  EXPECT_TRUE(grantedOnceHolderIsGone(*mine, "CREDLOCK"));
  EXPECT_TRUE(grantedOnceHolderIsGone(*mine, "PrintStyleLock"));
  EXPECT_TRUE(grantedOnceHolderIsGone(*mine, "ACCLOCK"));
}

TEST_P(EndedSessions, KilledHolderOfTheWholeBookLetsOthersIn) {
  auto mine = session();
  auto other = otherProcess();
  ASSERT_TRUE(other->openBook());
  ASSERT_TRUE(other->acquire("ACCLOCK"));
  ASSERT_TRUE(other->acquire("CREDLOCK"));
  ASSERT_FALSE(mine->openBook());

  other->killHard();
  EXPECT_TRUE(grantedOnceHolderIsGone(*mine, "CREDSHARE"));
  EXPECT_TRUE(mine->openBook());
  EXPECT_TRUE(mine->acquire("ACCLOCK"));
}

TEST_P(EndedSessions, EndingTheSessionReleasesEverythingItHeld) {
  auto mine = session();
  auto other = otherProcess();
  ASSERT_TRUE(other->openBook());
  ASSERT_TRUE(other->acquire("CREDSHARE"));
  ASSERT_TRUE(other->acquire("CREDSHARE"));
  ASSERT_TRUE(other->acquire("CREDWLOCK"));
  ASSERT_TRUE(other->acquire("PrintStyleLock"));

  other->endSession();  // the process lives on: the release is the session's own doing
  EXPECT_TRUE(mine->acquire("CREDLOCK"));
  EXPECT_TRUE(mine->acquire("PrintStyleLock"));
  EXPECT_TRUE(mine->acquire("ACCLOCK"));
}

TEST_P(EndedSessions, DestroyingAHolderOfTheWholeBookReopensIt) {
  auto mine = session();
  ASSERT_TRUE(mine->openBook());
  ASSERT_TRUE(mine->acquire("ACCLOCK"));
  ASSERT_TRUE(mine->acquire("CREDLOCK"));
  // Forked while this session holds its locks: the child inherits this
  // session's lock file or connection, which must not keep the locks alive.
  auto other = otherProcess();
  ASSERT_FALSE(other->openBook());

  mine.reset();
  EXPECT_TRUE(other->openBook());
  EXPECT_TRUE(other->acquire("CREDLOCK"));
}

INSTANTIATE_TEST_SUITE_P(Engines, EndedSessions, ::testing::ValuesIn(test::TestEngines()), engineName);

// ---------------------------------------------------------------------------
// One session's own locks.

class OwnLocks : public LockSessions {};

TEST_P(OwnLocks, NeverConflictAndLeaveTheStrongestHoldStillNeeded) {
  auto mine = session();
  auto other = otherProcess();
  ASSERT_TRUE(mine->acquire("CREDSHARE"));
  ASSERT_TRUE(mine->acquire("CREDLOCK"));
  ASSERT_TRUE(mine->acquire("CREDWLOCK"));
  ASSERT_TRUE(mine->openBook());
  ASSERT_TRUE(mine->acquire("ACCLOCK"));

  mine->release("ACCLOCK");
  EXPECT_TRUE(other->openBook()) << "the book is back to shared";
  EXPECT_FALSE(other->acquire("CREDSHARE")) << "the ledger is still posted";

  mine->release("CREDLOCK");
  EXPECT_TRUE(other->acquire("CREDSHARE")) << "the ledger is back to shared";
  EXPECT_FALSE(other->acquire("CREDLOCK")) << "but still shared by this session";
  EXPECT_FALSE(other->acquire("CREDWLOCK"));
}

TEST_P(OwnLocks, HolderOfTheWholeBookMayTakeEveryOtherLock) {
  auto mine = session();
  ASSERT_TRUE(mine->openBook());
  ASSERT_TRUE(mine->acquire("ACCLOCK"));
  for (const char* name : kEveryLock) EXPECT_TRUE(mine->acquire(name)) << name;
  for (const char* name : kEveryLock) EXPECT_TRUE(mine->holds(name)) << name;
}

TEST_P(OwnLocks, EachGrantNeedsItsOwnRelease) {
  auto mine = session();
  auto other = otherProcess();
  ASSERT_TRUE(mine->acquire("CREDLOCK"));
  ASSERT_TRUE(mine->acquire("CREDLOCK"));

  mine->release("CREDLOCK");
  EXPECT_TRUE(mine->holds("CREDLOCK"));
  EXPECT_FALSE(other->acquire("CREDSHARE"));

  mine->release("CREDLOCK");
  EXPECT_FALSE(mine->holds("CREDLOCK"));
  EXPECT_TRUE(other->acquire("CREDSHARE"));
}

TEST_P(OwnLocks, ReleasingWhatIsNotHeldChangesNothing) {
  auto mine = session();
  auto other = otherProcess();
  ASSERT_TRUE(mine->openBook());
  ASSERT_TRUE(mine->acquire("CREDSHARE"));

  // CREDWLOCK and CREDLOCK share resources with what is held; none may be given back.
  for (const char* name : {"CREDWLOCK", "CREDLOCK", "ACCLOCK", "PrintStyleLock", "NOSUCHLOCK"}) mine->release(name);

  EXPECT_TRUE(mine->holds("CREDSHARE"));
  EXPECT_FALSE(other->acquire("CREDLOCK"));
  EXPECT_FALSE(other->acquire("ACCLOCK"));

  mine->release("CREDSHARE");
  mine->release("CREDSHARE");
  EXPECT_TRUE(other->acquire("CREDLOCK"));
  EXPECT_FALSE(other->acquire("ACCLOCK")) << "the book is still open here";
}

TEST_P(OwnLocks, UnknownNameIsRefusedAndCaseDoesNotMatter) {
  auto mine = session();
  EXPECT_FALSE(mine->acquire("CREDLOCKS"));
  EXPECT_FALSE(mine->lastError().empty());
  EXPECT_FALSE(mine->holds("CREDLOCKS"));
  EXPECT_FALSE(mine->acquire(""));

  ASSERT_TRUE(mine->acquire("credshare"));
  EXPECT_TRUE(mine->lastError().empty());
  EXPECT_TRUE(mine->holds("CREDSHARE"));
  EXPECT_TRUE(mine->acquire("printstylelock"));
  EXPECT_TRUE(mine->holds("PrintStyleLock"));
}

INSTANTIATE_TEST_SUITE_P(Engines, OwnLocks, ::testing::ValuesIn(test::TestEngines()), engineName);

// ---------------------------------------------------------------------------
// Sessions in this process, and the host's guard.

class SessionsInOneProcess : public LockSessions {};

TEST_P(SessionsInOneProcess, ExcludeEachOther) {
  auto first = session();
  auto second = session();
  ASSERT_TRUE(first->acquire("CREDLOCK"));
  EXPECT_FALSE(second->acquire("CREDSHARE"));
  EXPECT_FALSE(second->acquire("ACCLOCK"));

  first->release("CREDLOCK");
  ASSERT_TRUE(second->acquire("CREDSHARE"));
  EXPECT_FALSE(first->acquire("CREDLOCK"));
  EXPECT_FALSE(first->acquire("ACCLOCK"));
}

TEST_P(SessionsInOneProcess, GuardReleasesOnEveryWayOut) {
  auto mine = session();
  auto other = otherProcess();
  {
    NamedLockGuard guard(*mine, "CREDWLOCK");
    ASSERT_TRUE(guard);
    EXPECT_FALSE(other->acquire("CREDWLOCK"));
  }
  ASSERT_TRUE(other->acquire("CREDWLOCK"));
  other->release("CREDWLOCK");

  try {
    NamedLockGuard guard(*mine, "CREDWLOCK");
    ASSERT_TRUE(guard.granted());
    throw std::runtime_error("voucher save failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(other->acquire("CREDWLOCK"));

  {
    NamedLockGuard refused(*mine, "CREDWLOCK");
    EXPECT_FALSE(refused);
  }
  other->release("CREDWLOCK");

  // Nested in a grant of the session's own, a guard gives back only its own.
  ASSERT_TRUE(mine->acquire("CREDWLOCK"));
  { NamedLockGuard nested(*mine, "CREDWLOCK"); }
  EXPECT_TRUE(mine->holds("CREDWLOCK"));
  EXPECT_FALSE(other->acquire("CREDWLOCK"));
}

INSTANTIATE_TEST_SUITE_P(Engines, SessionsInOneProcess, ::testing::ValuesIn(test::TestEngines()), engineName);

// ---------------------------------------------------------------------------
// The lock file of an embedded book.

class LockFile : public ::testing::Test {
 protected:
  ScratchDatabase book_{data::Engine::Sqlite};
  std::string identity_ = "qj-lock-test:" + book_.location();
};

TEST_F(LockFile, ClosingAnotherDescriptorOfTheFileKeepsTheLocks) {
  auto mine = NamedLocks::ForBook(book_.location(), identity_);
  ASSERT_TRUE(mine->acquire("CREDLOCK"));

  const int fd = ::open((book_.location() + "-locks").c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ::close(fd);
  // And the book file itself, as the data layer opens and closes it.
  { auto connection = book_.open(); }

  OtherProcess other(book_.location(), identity_);
  EXPECT_FALSE(other.acquire("CREDSHARE"));
}

TEST_F(LockFile, BookReachedThroughALinkMeetsTheSameLocks) {
  { auto connection = book_.open(); }  // the book file must exist for its link to lead somewhere
  const std::filesystem::path elsewhere = std::filesystem::path(book_.folder()) / "elsewhere";
  std::filesystem::create_directory(elsewhere);
  std::filesystem::create_symlink(book_.location(), elsewhere / "link.sqlite");
  auto direct = NamedLocks::ForBook(book_.location(), identity_);
  auto viaLink = NamedLocks::ForBook((elsewhere / "link.sqlite").string(), identity_);

  ASSERT_TRUE(direct->acquire("CREDLOCK"));
  EXPECT_FALSE(viaLink->acquire("CREDSHARE"));
}

TEST_F(LockFile, FileThatCannotBeMadeRefusesWithAReason) {
  auto locks = NamedLocks::ForBook(book_.folder() + "/no-such-folder/book.sqlite", identity_);
  EXPECT_FALSE(locks->openBook());
  EXPECT_NE(locks->lastError().find("帐套锁文件"), std::string::npos) << locks->lastError();
  EXPECT_FALSE(locks->acquire("CREDWLOCK"));
  EXPECT_FALSE(locks->lastError().empty());
  EXPECT_FALSE(locks->holds("CREDWLOCK"));
  locks->release("CREDWLOCK");
}

// ---------------------------------------------------------------------------
// The advisory locks of a book on a server.

class ServerLocks : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto engines = test::TestEngines();
    if (std::find(engines.begin(), engines.end(), data::Engine::Postgres) == engines.end())
      GTEST_SKIP() << "QJ_TEST_PG_URI is not set";
    book_ = std::make_unique<ScratchDatabase>(data::Engine::Postgres);
    identity_ = "qj-lock-test:" + book_->location();
  }

  std::unique_ptr<ScratchDatabase> book_;
  std::string identity_;
};

TEST_F(ServerLocks, LostConnectionDropsTheLocksAndTheNextRequestStartsAfresh) {
  auto mine = NamedLocks::ForBook(book_->location(), identity_);
  ASSERT_TRUE(mine->openBook());
  ASSERT_TRUE(mine->acquire("CREDLOCK"));

  // The server ends the lock connection, as when the network goes.
  auto admin = book_->open();
  const auto bookKey = static_cast<long long>(static_cast<std::uint32_t>(detail::BookLockKey(identity_)));
  const auto ended = admin->query(
      "SELECT pg_terminate_backend(pid) FROM pg_locks "
      "WHERE locktype = 'advisory' AND objsubid = 2 AND CAST(classid AS bigint) = :book "
      "AND pid <> pg_backend_pid()",
      {{"book", bookKey}});
  ASSERT_FALSE(ended.empty());

  EXPECT_FALSE(mine->acquire("CREDSHARE"));
  EXPECT_FALSE(mine->lastError().empty());
  EXPECT_FALSE(mine->holds("CREDLOCK"));

  OtherProcess other(book_->location(), identity_);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  bool granted = false;
  while (!(granted = other.acquire("CREDLOCK")) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(granted) << "the ended connection's locks are gone";
  other.release("CREDLOCK");

  ASSERT_TRUE(mine->acquire("CREDSHARE")) << mine->lastError();
  mine->release("CREDSHARE");
  EXPECT_FALSE(other.acquire("ACCLOCK")) << "the book was opened again with the new connection";
}

TEST(ServerLockFaults, ServerThatCannotBeReachedRefusesWithAReason) {
  auto locks = NamedLocks::ForBook("postgresql://nobody@127.0.0.1:1/none", "qj-lock-test:unreachable");
  EXPECT_FALSE(locks->openBook());
  EXPECT_FALSE(locks->lastError().empty());
  EXPECT_FALSE(locks->acquire("CREDSHARE"));
  EXPECT_FALSE(locks->lastError().empty());
}

}  // namespace
}  // namespace qj::host
