#include "platform/disc_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/paths.h"

namespace cartulon {

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return std::nullopt;
  const int dirFd = dirfd(dir);
  std::vector<FolderEntry> entries;
  errno = 0;
  while (dirent* entry = readdir(dir)) {
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    bool isFolder = false;
    switch (entry->d_type) {
      case DT_DIR:
        isFolder = true;
        break;
      case DT_REG:
        isFolder = false;
        break;
      default: {
        // Links (followed, as the disc's home system follows junctions) and
        // file systems that do not report the type need one stat.
        struct stat info;
        isFolder = fstatat(dirFd, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        break;
      }
    }
    entries.push_back(FolderEntry{name, isFolder});
  }
  closedir(dir);
  return entries;
}

bool FileExists(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}


bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error,
                         ExistingFile ifExists) {
  auto fail = [&](const std::string& reason) {
    if (error != nullptr) *error = reason;
    return false;
  };
  if (path.empty()) return fail("No file name given.");
  if (FolderExists(path)) return fail(std::strerror(EISDIR));
  std::string folder = FolderPart(path);
  std::string pattern = (folder.empty() ? std::string("./") : folder) + ".cartulon-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return fail(std::strerror(errno));
  const std::string temp(name.data());
  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      const std::string reason = std::strerror(errno);
      ::close(fd);
      ::unlink(temp.c_str());
      return fail(reason);
    }
    written += static_cast<std::size_t>(n);
  }
  // Keep the usual permissions of a new file (mkstemp makes it private).
  mode_t mask = umask(0);
  umask(mask);
  mode_t mode = 0666 & ~mask;
  struct stat existing;
  if (stat(path.c_str(), &existing) == 0) mode = existing.st_mode & 07777;
  fchmod(fd, mode);
  const bool synced = ::fsync(fd) == 0;
  const std::string syncReason = synced ? std::string() : std::strerror(errno);
  const bool closed = ::close(fd) == 0;
  if (!synced || !closed) {
    const std::string reason = synced ? std::string(std::strerror(errno)) : syncReason;
    ::unlink(temp.c_str());
    return fail(reason);
  }
  if (ifExists == ExistingFile::Keep) {
    // link() refuses a name that exists: a file that appeared meanwhile is
    // never replaced.
    const bool linked = ::link(temp.c_str(), path.c_str()) == 0;
    const std::string reason = linked ? std::string() : std::strerror(errno);
    ::unlink(temp.c_str());
    return linked || fail(reason);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    ::unlink(temp.c_str());
    return fail(reason);
  }
  return true;
}

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<FileId> FolderId(const std::string& path) {
  struct stat info;
  if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
  return FileId{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace cartulon
