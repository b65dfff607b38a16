#include "support/test_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/temp_disc.h"

namespace cartulon::test_support {

void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    ::setenv(name.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(name.c_str());
  }
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessSettings& settings) {
  TempDir capture;
  const std::string outPath = capture.Path("stdout");
  const std::string errPath = capture.Path("stderr");

  std::vector<std::string> argvText;
  argvText.push_back(program);
  argvText.insert(argvText.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argvText) argv.push_back(a.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!settings.cwd.empty() && ::chdir(settings.cwd.c_str()) != 0) ::_exit(126);
    for (const auto& [name, value] : settings.env) ::setenv(name.c_str(), value.c_str(), 1);
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0) ::_exit(126);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ProcessResult result;
  if (pid < 0) return result;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return result;
  }
  if (WIFEXITED(status)) {
    result.exitCode = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    result.exitCode = 128 + WTERMSIG(status);
  }
  result.out = ReadCapture(outPath);
  result.err = ReadCapture(errPath);
  return result;
}

int ProcessId() { return static_cast<int>(::getpid()); }

ScratchSettingsPlace::ScratchSettingsPlace() {
  static int counter = 0;
  location_ = (std::filesystem::temp_directory_path() /
               ("cartulon-settings-" + std::to_string(ProcessId()) + "-" +
                std::to_string(++counter) + ".ini"))
                  .string();
}

ScratchSettingsPlace::~ScratchSettingsPlace() {
  std::error_code ec;
  std::filesystem::remove(location_, ec);
}

bool MakeFolders(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return !ec || std::filesystem::is_directory(path);
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool SameEntryName(std::string_view a, std::string_view b) { return a == b; }

bool NamesDifferingOnlyInCaseCoexist() { return true; }

bool FolderPermissionsBind() { return ::geteuid() != 0; }

bool ForbiddenNamesCanExist() { return true; }

std::optional<std::vector<std::string>> RunAsOrdinaryUser(
    const std::function<std::vector<std::string>()>& run) {
  if (::geteuid() != 0) return run();
  int channel[2];
  if (::pipe(channel) != 0) return std::nullopt;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(channel[0]);
    ::close(channel[1]);
    return std::nullopt;
  }
  if (child == 0) {
    ::close(channel[0]);
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
    std::string text;
    for (const std::string& line : run()) text += line + "\n";
    const bool written =
        ::write(channel[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::_exit(written ? 0 : 4);
  }
  ::close(channel[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) text.append(buffer, got);
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return SplitOutputLines(text);
}

bool MakePipe(const std::string& path) {
  return ::mkfifo(path.c_str(), 0600) == 0;
}

bool CanCreateSymbolicLinks() { return true; }

void RemoveFolderAsWritten(const std::string& folder, std::string_view utf8Name,
                           std::string_view fileName) {
  const std::string made = folder + "/" + std::string(utf8Name);
  ::unlink((made + "/" + std::string(fileName)).c_str());
  ::rmdir(made.c_str());
}

bool MakeFolderAsWritten(const std::string& folder, std::string_view utf8Name,
                         std::string_view fileName, std::string_view bytes) {
  const std::string made = folder + "/" + std::string(utf8Name);
  return ::mkdir(made.c_str(), 0755) == 0 &&
         WriteWholeFile(made + "/" + std::string(fileName), bytes);
}

}  // namespace cartulon::test_support
