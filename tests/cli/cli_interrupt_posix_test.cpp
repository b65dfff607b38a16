// An interrupted or failing run leaves nothing behind: SIGTERM (and the
// other signals that end a program) at several moments of a run on a
// generated disc removes the scratch folder and any unfinished write, and
// the command ends with 128 + the signal number; a file-size limit and
// running out of memory are ordinary failures with a message and exit
// status 1.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
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

std::string_view LastComponentOf(std::string_view path) {
  return path.substr(path.find_last_of('/') + 1);
}

// The child: standard output to /dev/null, standard error to `errors`, no
// core file, TMPDIR at `scratch`, `limit` set on `resource` when given.
pid_t StartCli(const std::vector<std::string>& args, const std::string& scratch,
               const std::string& errors, int resource = -1, rlim_t limit = 0) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  ::setenv("TMPDIR", scratch.c_str(), 1);
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  if (resource >= 0) {
    const rlimit wanted{limit, limit};
    if (::setrlimit(resource, &wanted) != 0) ::_exit(126);
  }
  const int null = ::open("/dev/null", O_RDWR);
  const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ::dup2(null, 1);
  ::dup2(err, 2);
  std::vector<char*> argv{const_cast<char*>(CARTULON_CLI)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ::execv(CARTULON_CLI, argv.data());
  ::_exit(127);
}

int Wait(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

// A generated disc of `folders` folders, `packages` of them described.
void GenerateDisc(const std::string& root, int folders, int packages) {
  bench::DiscShape shape;
  shape.folders = folders;
  shape.packages = packages;
  bench::GenerateDisc(root, shape);
}

// Neither the scratch folder nor a temporary file of a write is left.
void ExpectNothingLeft(const std::string& scratch, const std::string& disc) {
  EXPECT_TRUE(FolderNames(scratch).empty()) << "scratch folder left behind";
  for (const std::string& name : FolderNames(disc)) {
    EXPECT_NE(name.rfind(".cartulon-", 0), 0u) << "temporary file left: " << name;
  }
}

TEST(CliInterrupt, EndingSignalsAtAnyMomentLeaveNoScratchOrTemporaryFile) {
  TempDir dir;
  GenerateDisc(dir.Path("disc"), 3000, 300);
  const std::string scratch = dir.MakeFolder("tmp");
  const std::string target = dir.Path("disc/FileList.txt");

  // SIGTERM at moments from the start of the process on, also before the
  // command has set up its handling; every signal at moments after the run
  // has made its scratch folder (so after the handling was set up, however
  // slow the start).
  struct Case {
    int signal;
    std::vector<int> delaysMs;
    bool fromScratchFolder;
  };
  const std::vector<Case> cases = {
      {SIGTERM, {0, 1, 3, 10, 30, 60, 120, 250}, false},
      {SIGTERM, {0, 20, 80}, true},
      {SIGQUIT, {0, 20, 80}, true},
      {SIGUSR1, {0, 20, 80}, true},
      {SIGUSR2, {0, 20, 80}, true},
      {SIGALRM, {0, 20, 80}, true},
  };
  for (const Case& c : cases) {
    int interrupted = 0;  // by this case's signal, once the run had begun
    for (int delayMs : c.delaysMs) {
      SCOPED_TRACE(testing::Message() << "signal " << c.signal << " after " << delayMs << " ms");
      std::error_code ec;
      std::filesystem::remove(target, ec);
      const pid_t pid = StartCli({"--force", "--csv", "--date", "1/1/2014", dir.Path("disc")},
                                 scratch, "/dev/null");
      ASSERT_GE(pid, 0);
      int status = 0;
      bool ended = false;
      while (c.fromScratchFolder && FolderNames(scratch).empty() && !ended) {
        ended = ::waitpid(pid, &status, WNOHANG) == pid;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      if (!ended) {
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(pid, c.signal);
        status = Wait(pid);
      }
      // A signal that comes before the command has set up its handling ends
      // it at once; it has made nothing yet then.
      if (WIFEXITED(status)) {
        const int code = WEXITSTATUS(status);
        EXPECT_TRUE(code == 0 || code == 128 + c.signal) << code;
        if (code != 0) ++interrupted;
      } else {
        EXPECT_EQ(WTERMSIG(status), c.signal);
      }

      ExpectNothingLeft(scratch, dir.Path("disc"));
      // The list is there whole or not at all.
      if (const std::optional<std::string> list = ReadBytes(target)) {
        EXPECT_NE(list->find("The file you are now reading."), std::string::npos);
      }
    }
    if (c.fromScratchFolder) {
      EXPECT_GT(interrupted, 0) << "no run was interrupted by signal " << c.signal
                                << " and cleaned up";
    }
  }
}

// A limit the run meets is a failure like any other: a message, exit
// status 1, the earlier list as it was, no temporary file and no scratch
// folder left.
TEST(CliFailures, FileSizeLimitAndOutOfMemoryEndTheRunCleanly) {
  TempDir dir;
  GenerateDisc(dir.Path("disc"), 600, 100);
  // A package text of 63 MiB: a run cannot hold it within 40 MiB of memory.
  std::string huge;
  huge.reserve(63u << 20);
  huge += "[Default]\r\nTitle=Huge\r\n";
  while (huge.size() + 3 <= (63u << 20)) huge += "a\r\n";
  dir.WriteFile("big/Bin/Zscdinst.ini", *ReadBytes(dir.Path("disc/Bin/Zscdinst.ini")));
  dir.WriteFile("big/Drivers/Huge/ZoltSetup.ini", "[Root]\r\nInstallType=0\r\n");
  dir.WriteFile("big/Drivers/Huge/English.ini", huge);
  huge.clear();
  huge.shrink_to_fit();
  const std::string oldList = "an earlier list\r\n";
  const std::string scratch = dir.MakeFolder("tmp");
  const std::string errors = dir.Path("errors.txt");

  struct Case {
    const char* what;
    std::string disc;
    int resource;
    rlim_t limit;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"file-size limit", dir.Path("disc"), RLIMIT_FSIZE, 8192, "File too large"},
      {"memory limit", dir.Path("big"), RLIMIT_AS, rlim_t{40} << 20, "out of memory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reserves far more address space than any limit that
    // would make the run itself run short; the regular build checks it.
    if (c.resource == RLIMIT_AS) continue;
#endif
    const std::string list = dir.WriteFile(std::string(LastComponentOf(c.disc)) + "/FileList.txt",
                                           oldList);
    const int status = Wait(StartCli({"--force", "--csv", c.disc}, scratch, errors, c.resource,
                                     c.limit));
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string err = ReadBytes(errors).value_or("");
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
    EXPECT_EQ(ReadBytes(list), oldList);
    ExpectNothingLeft(scratch, c.disc);
  }
}

}  // namespace
}  // namespace cartulon::cli_test
