// The instance lock between processes: a second process finds it held, and
// a process that ends without releasing it leaves nothing behind.
#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

// A lock name of this test alone: parallel tests must not meet in one lock
// (on Windows the name is all there is).
std::string OwnLockName() {
  static int counter = 0;
  return std::string(kInstanceLockName) + " test " + std::to_string(test_support::ProcessId()) +
         "-" + std::to_string(++counter);
}

// What the probe process answers when it tries to take the lock.
std::string ProbeTakes(const std::string& name, const std::string& folder) {
  const test_support::ProcessResult r =
      test_support::RunProcess(CARTULON_PROBE, {"lock", name, folder});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  std::string answer = r.out;
  while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) answer.pop_back();
  return answer;
}

TEST(InstanceLockProcesses, ASecondProcessFindsTheLockHeld) {
  TempDir dir;
  const std::string name = OwnLockName();
  InstanceLock held;
  ASSERT_EQ(held.Acquire(name, dir.Root()), LockResult::Acquired);
  EXPECT_EQ(ProbeTakes(name, dir.Root()), "held elsewhere");
  EXPECT_EQ(ProbeTakes(OwnLockName(), dir.Root()), "acquired") << "another name is another lock";

  held.Release();
  EXPECT_EQ(ProbeTakes(name, dir.Root()), "acquired");
}

TEST(InstanceLockProcesses, AProcessThatEndsHoldingTheLockLeavesItFree) {
  TempDir dir;
  const std::string name = OwnLockName();
  // The probe ends without releasing what it took.
  ASSERT_EQ(ProbeTakes(name, dir.Root()), "acquired");
  InstanceLock next;
  EXPECT_EQ(next.Acquire(name, dir.Root()), LockResult::Acquired);
}

}  // namespace
}  // namespace cartulon
