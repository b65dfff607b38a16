#pragma once
// What differs by platform in the tests themselves (test_system_posix.cpp,
// test_system_win32.cpp): running a program as a child process, this
// process's environment, and what a test can do to the file system.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cartulon::test_support {

struct ProcessResult {
  int exitCode = -1;  // a child ended by a POSIX signal gives 128 + its number
  std::string out;
  std::string err;
};

struct ProcessSettings {
  std::string cwd;                                       // empty: inherit
  std::vector<std::pair<std::string, std::string>> env;  // added or replaced
  // Windows: the arguments are UTF-8 and reach the child as the wide text
  // they spell, as from a Unicode shell, whatever the system code page.
  // POSIX: no difference, arguments are bytes.
  bool utf8Arguments = false;
};

// Runs `program` with `args` (without the program name) and waits for it.
// Standard input is empty; standard output and error are captured as bytes.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessSettings& settings = {});

// A child's output split into lines: LF or CR LF end a line.
std::vector<std::string> SplitOutputLines(std::string_view out);

// Sets an environment variable of this process (and of the children it
// starts), or removes it (nullopt).
void SetEnvironment(const std::string& name, const std::optional<std::string>& value);

// A whole file's bytes (a child's captured output); empty when unreadable.
std::string ReadCapture(const std::string& path);

// Sets an environment variable of this process for the life of the object,
// or removes it (nullopt); the earlier state comes back afterwards.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::string name, const std::optional<std::string>& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> earlier_;
};

int ProcessId();

// A place of the settings store of one test's own, removed afterwards: a
// file in the temporary folder on POSIX, a key below HKEY_CURRENT_USER on
// Windows.
class ScratchSettingsPlace {
 public:
  ScratchSettingsPlace();
  ~ScratchSettingsPlace();
  ScratchSettingsPlace(const ScratchSettingsPlace&) = delete;
  ScratchSettingsPlace& operator=(const ScratchSettingsPlace&) = delete;
  const std::string& Location() const { return location_; }

 private:
  std::string location_;
};

// Whether taking away write access to a folder stops this process from
// writing there: not for the superuser, and not on Windows, where the
// read-only attribute of a folder does not.
bool FolderPermissionsBind();

// Creates a folder and its missing parents, or writes a whole file; the
// path is bytes as the system's byte-string interface takes them (on
// Windows the ANSI functions, in the system code page). False on failure.
bool MakeFolders(const std::string& path);

// Creates the folder `utf8Name` in `folder` exactly as written, also a name
// Windows reads otherwise (a trailing dot, a device name; on Windows made
// through the "\\?\" form), and in it the file `fileName` with `bytes`.
bool MakeFolderAsWritten(const std::string& folder, std::string_view utf8Name,
                         std::string_view fileName, std::string_view bytes);
// Removes what MakeFolderAsWritten made (the scratch folder's own removal
// goes through the names as Windows reads them, and cannot).
void RemoveFolderAsWritten(const std::string& folder, std::string_view utf8Name,
                           std::string_view fileName);
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// Whether two paths name the same entry as this system compares names:
// byte for byte on POSIX, ignoring letter case on Windows, where a lookup
// gives back the spelling it was asked for.
bool SameEntryName(std::string_view a, std::string_view b);

// Whether one folder can hold two names that differ only in letter case
// (not on Windows).
bool NamesDifferingOnlyInCaseCoexist();

// Runs `run` as an ordinary user, so that a folder without permissions is
// unreadable also when the tests run as the superuser (POSIX: in a child
// process as user "nobody"). Its lines, or nullopt where that cannot be done
// (Windows, where permissions are no bits to take away).
std::optional<std::vector<std::string>> RunAsOrdinaryUser(
    const std::function<std::vector<std::string>()>& run);

// Makes a named pipe at `path`; false where the file system has none
// (Windows).
bool MakePipe(const std::string& path);

// Whether a test may create symbolic links (Windows needs a privilege).
bool CanCreateSymbolicLinks();

// Whether a name may hold a control character or one of \ / : * ? " < > |
// (the names a disc cannot hold): POSIX allows all but '/', Windows none.
bool ForbiddenNamesCanExist();

}  // namespace cartulon::test_support

namespace cartulon {
using test_support::ScopedEnvironment;
}  // namespace cartulon
