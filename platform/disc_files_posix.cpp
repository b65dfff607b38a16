#include "platform/disc_files.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/interrupt_cleanup.h"
#include "platform/paths.h"

namespace cartulon {

bool FileExists(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

namespace {

// Renames `from` to `to` unless `to` exists, in one step: renameat2 with
// RENAME_NOREPLACE where the system and the file system offer it, else a
// hard link (which fails when `to` exists) and the removal of `from`. False
// with errno set (EEXIST when `to` exists).
bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
#endif
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error,
                         WriteMode mode, bool* appeared) {
  auto fail = [&](const std::string& reason) {
    if (error != nullptr) *error = reason;
    return false;
  };
  if (path.empty()) return fail("No file name given.");
  // Only a regular file (or a symbolic link, which a rename replaces as a
  // link) is ever replaced: never a folder, a device, a pipe or a socket.
  struct stat existing;
  const bool exists = ::lstat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return fail(std::strerror(EISDIR));
  if (exists && !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode)) {
    return fail("It is not a regular file.");
  }
  if (exists && mode == WriteMode::KeepExisting) {
    if (appeared != nullptr) *appeared = true;
    return fail(std::strerror(EEXIST));
  }
  std::string folder = FolderPart(path);
  std::string pattern = (folder.empty() ? std::string("./") : folder) + ".cartulon-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // The temporary file is created and registered in one step, so that an
  // interrupt of the run removes it.
  int fd = -1;
  WithCleanupLock([&] {
    fd = mkstemp(name.data());
    if (fd >= 0) RegisterForCleanup(name.data());
  });
  if (fd < 0) return fail(std::strerror(errno));
  const std::string temp(name.data());
  auto discard = [&](const std::string& reason) {
    WithCleanupLock([&] {
      ::unlink(temp.c_str());
      UnregisterFromCleanup(temp);
    });
    return fail(reason);
  };
  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      const std::string reason = std::strerror(errno);
      ::close(fd);
      return discard(reason);
    }
    written += static_cast<std::size_t>(n);
  }
  // The usual permissions of a new file (mkstemp makes it private); a file
  // replaced keeps its own permission bits, without set-user-id,
  // set-group-id and sticky, and never takes those of a link's target.
  mode_t mask = umask(0);
  umask(mask);
  mode_t bits = 0666 & ~mask;
  if (exists && S_ISREG(existing.st_mode)) bits = existing.st_mode & 0777;
  fchmod(fd, bits);
  const bool synced = ::fsync(fd) == 0;
  const std::string syncReason = synced ? std::string() : std::strerror(errno);
  const bool closed = ::close(fd) == 0;
  if (!synced || !closed) {
    return discard(synced ? std::string(std::strerror(errno)) : syncReason);
  }
  bool renamed = false;
  int renameError = 0;
  WithCleanupLock([&] {
    renamed = mode == WriteMode::ReplaceExisting ? ::rename(temp.c_str(), path.c_str()) == 0
                                                 : RenameWithoutReplacing(temp, path);
    renameError = errno;
    if (renamed) UnregisterFromCleanup(temp);
  });
  if (!renamed) {
    if (renameError == EEXIST && appeared != nullptr) *appeared = true;
    return discard(std::strerror(renameError));
  }
  return true;
}

}  // namespace cartulon
