// The instance lock on Windows: the named mutex of the start-up.
#include "platform/instance_lock.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/test_system.h"

namespace cartulon {
namespace {

std::string OwnMutexName(const char* what) {
  return std::string(kInstanceLockName) + " " + what + " " +
         std::to_string(test_support::ProcessId());
}

TEST(InstanceLockWindows, TheLockIsTheNamedMutexAndTheFolderPlaysNoPart) {
  const std::string name = OwnMutexName("mutex");
  InstanceLock first;
  ASSERT_EQ(first.Acquire(name, "C:\\one"), LockResult::Acquired);
  HANDLE seen = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
  ASSERT_NE(seen, nullptr) << "the mutex exists under the lock's name";
  CloseHandle(seen);

  InstanceLock second;
  EXPECT_EQ(second.Acquire(name, "C:\\two"), LockResult::HeldElsewhere);
  EXPECT_FALSE(second.Held());

  first.Release();
  EXPECT_FALSE(first.Held());
  EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, name.c_str()), nullptr) << "released and gone";
  EXPECT_EQ(second.Acquire(name), LockResult::Acquired);
}

// A mutex that some other program created under the name, owned or not,
// means another instance.
TEST(InstanceLockWindows, AMutexCreatedElsewhereMeansAnotherInstance) {
  const std::string name = OwnMutexName("foreign");
  HANDLE foreign = CreateMutexA(nullptr, FALSE, name.c_str());
  ASSERT_NE(foreign, nullptr);
  InstanceLock lock;
  EXPECT_EQ(lock.Acquire(name), LockResult::HeldElsewhere);
  CloseHandle(foreign);
  EXPECT_EQ(lock.Acquire(name), LockResult::Acquired);
}

}  // namespace
}  // namespace cartulon
