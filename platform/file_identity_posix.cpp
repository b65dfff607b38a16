#include "platform/file_identity.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace cartulon {

namespace {

FileIdentity IdentityOf(const struct stat& info) {
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace

std::optional<IdentifiedListing> ListFolderIdentified(const std::string& folder) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return std::nullopt;
  const int dirFd = ::dirfd(dir);
  IdentifiedListing listing;
  struct stat info;
  if (::fstat(dirFd, &info) == 0) listing.folder = IdentityOf(info);
  for (;;) {
    // readdir tells its end from a failure by errno alone.
    errno = 0;
    const dirent* found = ::readdir(dir);
    if (found == nullptr) {
      if (errno != 0) listing.error = std::strerror(errno);
      break;
    }
    const char* name = found->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    IdentifiedEntry entry;
    entry.name = name;
    if (found->d_type == DT_DIR) {
      // The listing's inode number on the listed folder's device: what the
      // folder says of itself unless it is a mount point.
      entry.isFolder = true;
      entry.identity = FileIdentity{listing.folder.volume, static_cast<std::uint64_t>(found->d_ino)};
    } else if (found->d_type != DT_REG &&
               ::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
      // Links, and file systems that do not report the type.
      if (S_ISLNK(info.st_mode)) {
        entry.isLink = true;
        if (::fstatat(dirFd, name, &info, 0) != 0) info.st_mode = 0;
      }
      if (S_ISDIR(info.st_mode)) {
        entry.isFolder = true;
        entry.identity = IdentityOf(info);
        entry.identityExact = true;
      }
    }
    listing.entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  return listing;
}

std::optional<FileIdentity> FolderIdentity(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return std::nullopt;
  }
  return IdentityOf(info);
}

std::optional<FileIdentity> PathIdentity(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return std::nullopt;
  return IdentityOf(info);
}

bool IsLink(const std::string& path) {
  struct stat info;
  return !path.empty() && ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::optional<std::string> RealLocation(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::unique_ptr<char, decltype(&::free)> resolved(::realpath(path.c_str(), nullptr), &::free);
  if (!resolved) return std::nullopt;
  return std::string(resolved.get());
}

}  // namespace cartulon
