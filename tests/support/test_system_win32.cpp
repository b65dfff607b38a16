#include "support/test_system.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/disc_files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "support/temp_disc.h"

namespace cartulon::test_support {

namespace {

// One argument as the C runtime of the child splits its command line:
// quotes around it, backslashes doubled only where a quote follows them.
std::string Quoted(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
  std::string quoted = "\"";
  for (std::size_t i = 0;; ++i) {
    std::size_t backslashes = 0;
    while (i < arg.size() && arg[i] == '\\') {
      ++i;
      ++backslashes;
    }
    if (i == arg.size()) {
      quoted.append(backslashes * 2, '\\');
      break;
    }
    if (arg[i] == '"') {
      quoted.append(backslashes * 2 + 1, '\\');
    } else {
      quoted.append(backslashes, '\\');
    }
    quoted.push_back(arg[i]);
  }
  quoted.push_back('"');
  return quoted;
}

// This process's environment with `changes` applied (names ignore case),
// as the NUL-separated block CreateProcess takes.
std::string EnvironmentBlock(const std::vector<std::pair<std::string, std::string>>& changes) {
  std::vector<std::string> entries;
  if (char* block = GetEnvironmentStringsA()) {
    for (const char* entry = block; *entry != '\0';
         entry += std::char_traits<char>::length(entry) + 1) {
      entries.emplace_back(entry);
    }
    FreeEnvironmentStringsA(block);
  }
  for (const auto& [name, value] : changes) {
    const std::string prefix = name + "=";
    std::erase_if(entries, [&](const std::string& entry) {
      return entry.size() >= prefix.size() &&
             EqualsIgnoringAsciiCase(std::string_view(entry).substr(0, prefix.size()), prefix);
    });
    entries.push_back(prefix + value);
  }
  std::string block;
  for (const std::string& entry : entries) {
    block += entry;
    block.push_back('\0');
  }
  block.push_back('\0');
  return block;
}

std::wstring Wide(const std::string& text, UINT codePage) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

HANDLE Inheritable(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// One try at starting the child with its standard handles inherited.
bool Start(bool wideArguments, std::string commandLine, std::wstring wideCommandLine,
           std::string environment, const std::string& cwd, const STARTUPINFOA& startup,
           PROCESS_INFORMATION* process) {
  if (wideArguments) {
    STARTUPINFOW wideStartup{};
    wideStartup.cb = sizeof wideStartup;
    wideStartup.dwFlags = startup.dwFlags;
    wideStartup.hStdInput = startup.hStdInput;
    wideStartup.hStdOutput = startup.hStdOutput;
    wideStartup.hStdError = startup.hStdError;
    const std::wstring wideCwd = Wide(cwd, CP_ACP);
    return CreateProcessW(nullptr, wideCommandLine.data(), nullptr, nullptr, TRUE, 0,
                          environment.data(), wideCwd.empty() ? nullptr : wideCwd.c_str(),
                          &wideStartup, process);
  }
  STARTUPINFOA copy = startup;
  return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, environment.data(),
                        cwd.empty() ? nullptr : cwd.c_str(), &copy, process);
}

}  // namespace

void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
  // Both copies: the C runtime's (getenv) and the system's (child processes).
  _putenv_s(name.c_str(), value ? value->c_str() : "");
  SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessSettings& settings) {
  TempDir capture;
  const std::string outPath = capture.Path("stdout");
  const std::string errPath = capture.Path("stderr");
  ProcessResult result;

  std::string commandLine = Quoted(program);
  std::wstring wideCommandLine = Wide(commandLine, CP_ACP);
  for (const std::string& arg : args) {
    commandLine += " " + Quoted(arg);
    wideCommandLine += L" " + Wide(Quoted(arg), settings.utf8Arguments ? CP_UTF8 : CP_ACP);
  }
  std::string environment = EnvironmentBlock(settings.env);

  HANDLE in = Inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
  HANDLE out = Inheritable(outPath, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE err = Inheritable(errPath, GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  const bool handles =
      in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE;
  bool started = false;
  // A program that could not be started at all is tried again a few times
  // (under Wine, with the other shard's processes starting at the same time, a
  // run once ended with no exit code and no output). A program that did start
  // is never run twice.
  for (int attempt = 0; handles && !started && attempt < 3; ++attempt) {
    if (attempt > 0) Sleep(250);
    started = Start(settings.utf8Arguments, commandLine, wideCommandLine, environment, settings.cwd,
                    startup, &process);
  }
  const DWORD startError = started ? 0 : GetLastError();
  for (HANDLE handle : {in, out, err}) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  if (!started) {
    // The exit code stays -1; the reason goes where a failing test shows it.
    result.err = "cannot start " + program + ": " +
                 (handles ? "system error " + std::to_string(startError)
                          : std::string("cannot open the standard handles"));
    return result;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(process.hProcess, &code)) result.exitCode = static_cast<int>(code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  result.out = ReadCapture(outPath);
  result.err = ReadCapture(errPath);
  return result;
}

bool MakeFolders(const std::string& path) {
  if (FolderExists(path)) return true;
  const std::string parent = StripTrailingDelimiter(FolderPart(StripTrailingDelimiter(path)));
  if (!parent.empty() && parent != path && parent.back() != ':' && !MakeFolders(parent)) {
    return false;
  }
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

namespace {

// Writes the bytes into a file just created and closes it; false for a
// file that could not be created or written whole.
bool WriteAndClose(HANDLE file, std::string_view bytes) {
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  return CloseHandle(file) && whole;
}

}  // namespace

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  return WriteAndClose(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr),
                       bytes);
}

bool SameEntryName(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(a, b); }

bool NamesDifferingOnlyInCaseCoexist() { return false; }

int ProcessId() { return static_cast<int>(GetCurrentProcessId()); }

namespace {
constexpr const char* kScratchSettingsKey = "Software\\Cartulon tests\\settings-";
}  // namespace

ScratchSettingsPlace::ScratchSettingsPlace() {
  static int counter = 0;
  location_ = std::string("HKEY_CURRENT_USER\\") + kScratchSettingsKey +
              std::to_string(ProcessId()) + "-" + std::to_string(++counter);
}

ScratchSettingsPlace::~ScratchSettingsPlace() {
  const std::string key = location_.substr(std::string("HKEY_CURRENT_USER\\").size());
  RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
}

bool FolderPermissionsBind() { return false; }

bool ForbiddenNamesCanExist() { return false; }

std::optional<std::vector<std::string>> RunAsOrdinaryUser(
    const std::function<std::vector<std::string>()>&) {
  return std::nullopt;
}

bool MakePipe(const std::string& path) {
  (void)path;
  return false;
}

bool CanCreateSymbolicLinks() { return false; }

namespace {

std::wstring Wide(std::string_view text, UINT codePage) {
  std::wstring out(text.size(), L'\0');
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         out.data(), static_cast<int>(out.size()));
  out.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return out;
}

// The folder in the "\\?\" form, which takes a name as written.
std::wstring VerbatimFolder(const std::string& folder, std::string_view utf8Name) {
  return L"\\\\?\\" + Wide(folder, CP_ACP) + L"\\" + Wide(utf8Name, CP_UTF8);
}

}  // namespace

void RemoveFolderAsWritten(const std::string& folder, std::string_view utf8Name,
                           std::string_view fileName) {
  const std::wstring made = VerbatimFolder(folder, utf8Name);
  DeleteFileW((made + L"\\" + Wide(fileName, CP_UTF8)).c_str());
  RemoveDirectoryW(made.c_str());
}

bool MakeFolderAsWritten(const std::string& folder, std::string_view utf8Name,
                         std::string_view fileName, std::string_view bytes) {
  const std::wstring made = VerbatimFolder(folder, utf8Name);
  if (!CreateDirectoryW(made.c_str(), nullptr)) return false;
  const std::wstring file = made + L"\\" + Wide(fileName, CP_UTF8);
  return WriteAndClose(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr),
                       bytes);
}

}  // namespace cartulon::test_support
