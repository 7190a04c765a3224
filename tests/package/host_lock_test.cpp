#include "base/host_lock.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/package_fixture.h"

namespace qj::test {
namespace {

class HostLockScope : public PackageTest {};
QJ_ON_EVERY_ENGINE(HostLockScope);

TEST_P(HostLockScope, IsReleasedOnReturnOnErrorAndEarlyButNeverWhenRefused) {
  {
    base::HostLock lock(host(), "CREDLOCK");
    EXPECT_TRUE(lock.granted());
    EXPECT_EQ(host().heldLocks["CREDLOCK"], 1);
  }
  EXPECT_FALSE(host().heldLocks.contains("CREDLOCK"));

  EXPECT_THROW(
      {
        base::HostLock lock(host(), "ACCLOCK", true);
        throw std::runtime_error("screen failed");
      },
      std::runtime_error);
  EXPECT_FALSE(host().heldLocks.contains("ACCLOCK"));

  base::HostLock early(host(), "CREDWLOCK");
  early.release();
  early.release();
  EXPECT_FALSE(host().heldLocks.contains("CREDWLOCK"));

  host().refusedLocks.insert("CREDSHARE");
  host().heldLocks["CREDSHARE"] = 1;  // another holder's count must not be touched
  {
    base::HostLock refused(host(), "CREDSHARE");
    EXPECT_FALSE(refused.granted());
  }
  EXPECT_EQ(host().heldLocks["CREDSHARE"], 1);
}

}  // namespace
}  // namespace qj::test
