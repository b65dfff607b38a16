#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_disc.h"

namespace cartulon {
namespace {

TEST(InstanceLock, SecondHolderOfTheSameNameIsRefusedUntilTheFirstReleases) {
  TempDir dir;
  InstanceLock first;
  ASSERT_EQ(first.Acquire(kInstanceLockName, dir.Root()), LockResult::Acquired);
  EXPECT_TRUE(first.Held());

  InstanceLock second;
  EXPECT_EQ(second.Acquire(kInstanceLockName, dir.Root()), LockResult::HeldElsewhere);
  EXPECT_FALSE(second.Held());

  // Another name is another lock.
  InstanceLock other;
  EXPECT_EQ(other.Acquire("Another Program", dir.Root()), LockResult::Acquired);

  first.Release();
  EXPECT_FALSE(first.Held());
  EXPECT_EQ(second.Acquire(kInstanceLockName, dir.Root()), LockResult::Acquired);
}

TEST(InstanceLock, DestructionReleases) {
  TempDir dir;
  {
    InstanceLock scoped;
    ASSERT_EQ(scoped.Acquire(kInstanceLockName, dir.Root()), LockResult::Acquired);
  }
  InstanceLock next;
  EXPECT_EQ(next.Acquire(kInstanceLockName, dir.Root()), LockResult::Acquired);
}

// A child process takes the lock and dies without releasing it; the lock
// must not outlive it.
TEST(InstanceLock, AProcessThatDiesWithoutReleasingLeavesNoLockBehind) {
  TempDir dir;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstanceLock held;
    const char answer = held.Acquire(kInstanceLockName, dir.Root()) == LockResult::Acquired ? 'y' : 'n';
    (void)!::write(ready[1], &answer, 1);
    ::pause();  // killed by the parent while holding the lock
    ::_exit(0);
  }
  char answer = 0;
  ASSERT_EQ(::read(ready[0], &answer, 1), 1);
  ASSERT_EQ(answer, 'y');

  InstanceLock whileAlive;
  EXPECT_EQ(whileAlive.Acquire(kInstanceLockName, dir.Root()), LockResult::HeldElsewhere);

  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(ready[0]);
  ::close(ready[1]);

  InstanceLock afterCrash;
  EXPECT_EQ(afterCrash.Acquire(kInstanceLockName, dir.Root()), LockResult::Acquired);
}

TEST(InstanceLock, LockFolderIsCreatedForTheOwnerOnly) {
  TempDir dir;
  const std::string folder = dir.Path("runtime/nested");
  InstanceLock lock;
  ASSERT_EQ(lock.Acquire(kInstanceLockName, folder), LockResult::Acquired);
  struct stat info {};
  ASSERT_EQ(::stat(folder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_TRUE(std::filesystem::exists(LockFilePath(kInstanceLockName, folder)));
}

TEST(InstanceLock, ALinkOrAFileInPlaceOfTheFolderIsNotUsed) {
  TempDir dir;
  dir.MakeFolder("real");
  std::filesystem::create_directory_symlink(dir.Path("real"), dir.Path("link"));
  InstanceLock viaLink;
  EXPECT_EQ(viaLink.Acquire(kInstanceLockName, dir.Path("link")), LockResult::Unavailable);

  const std::string file = dir.WriteFile("plain", "x");
  InstanceLock viaFile;
  EXPECT_EQ(viaFile.Acquire(kInstanceLockName, file), LockResult::Unavailable);
  EXPECT_FALSE(viaFile.Held());
}

TEST(InstanceLock, LockFileIsNamedAfterTheLock) {
  EXPECT_EQ(LockFilePath("Zolt Cartulon", "/run/user/7"), "/run/user/7/Zolt Cartulon.lock");
  EXPECT_EQ(LockFilePath("a/b\\c", "/x/"), "/x/a_b_c.lock");
}

TEST(InstanceLock, DefaultFolderFollowsTheRuntimeDirectory) {
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string savedValue = saved ? saved : "";
  ::setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
  EXPECT_EQ(DefaultLockFolder(), "/run/user/4242");
  ::setenv("XDG_RUNTIME_DIR", "relative/dir", 1);
  EXPECT_EQ(DefaultLockFolder().find("cartulon-" + std::to_string(::getuid())) != std::string::npos,
            true);
  ::unsetenv("XDG_RUNTIME_DIR");
  const std::string fallback = DefaultLockFolder();
  EXPECT_NE(fallback.find("cartulon-" + std::to_string(::getuid())), std::string::npos);
  if (saved) ::setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);
}

}  // namespace
}  // namespace cartulon
