// An interrupted run leaves nothing behind: SIGTERM at several moments of a
// run on a generated disc removes the scratch folder and any unfinished
// write, and the command ends with 128 + the signal number.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bench/gen_disc.h"
#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

TEST(CliInterrupt, TermAtAnyMomentLeavesNoScratchOrTemporaryFile) {
  TempDir dir;
  bench::DiscShape shape;
  shape.folders = 3000;
  shape.packages = 300;
  bench::GenerateDisc(dir.Path("disc"), shape);
  const std::string scratch = dir.MakeFolder("tmp");
  const std::string target = dir.Path("disc/FileList.txt");

  int interrupted = 0;
  for (int delayMs : {0, 1, 3, 10, 30, 60, 120, 250}) {
    SCOPED_TRACE(delayMs);
    std::error_code ec;
    std::filesystem::remove(target, ec);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::setenv("TMPDIR", scratch.c_str(), 1);
      const int null = ::open("/dev/null", O_RDWR);
      ::dup2(null, 1);
      ::dup2(null, 2);
      ::execl(CARTULON_CLI, CARTULON_CLI, "--force", "--csv", "--date", "1/1/2014",
              dir.Path("disc").c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    ::kill(pid, SIGTERM);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    // A signal that comes before the command has set up its handling ends
    // it at once; it has made nothing yet then.
    if (WIFEXITED(status)) {
      const int code = WEXITSTATUS(status);
      EXPECT_TRUE(code == 0 || code == 128 + SIGTERM) << code;
      if (code != 0) ++interrupted;
    } else {
      EXPECT_EQ(WTERMSIG(status), SIGTERM);
    }

    EXPECT_TRUE(FolderNames(scratch).empty()) << "scratch folder left behind";
    for (const std::string& name : FolderNames(dir.Path("disc"))) {
      EXPECT_NE(name.rfind(".cartulon-", 0), 0u) << "temporary file left: " << name;
    }
    // The list is there whole or not at all.
    if (const std::optional<std::string> list = ReadBytes(target)) {
      EXPECT_NE(list->find("The file you are now reading."), std::string::npos);
    }
  }
  EXPECT_GT(interrupted, 0) << "no run was interrupted and cleaned up";
}

}  // namespace
}  // namespace cartulon::cli_test
