#include "platform/home_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/paths.h"

namespace cartulon {

namespace {

std::string WithoutTrailingDelimiters(std::string path) {
  while (path.size() > 1 && IsPathDelimiter(path.back())) path.pop_back();
  return path;
}

// The home folder of the password database entry of the real user.
std::string PasswordDatabaseHome() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  if (size <= 0) size = 16384;
  std::vector<char> buffer(static_cast<std::size_t>(size));
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || found->pw_dir == nullptr) {
    return {};
  }
  return found->pw_dir;
}

}  // namespace

// $HOME first, as every program of the desktop does; the password database
// where it is unset or empty.
std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  std::string folder = home != nullptr ? home : "";
  if (folder.empty()) folder = PasswordDatabaseHome();
  return WithoutTrailingDelimiters(std::move(folder));
}

}  // namespace cartulon
