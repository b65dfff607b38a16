#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <memory>

#include "platform/file_identity.h"

namespace cartulon {

namespace {

FileIdentity IdentityOf(const struct stat& info) {
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace

std::optional<FolderLook> LookAtFolder(const std::string& path) {
  if (path.empty()) return std::nullopt;
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
  if (S_ISDIR(info.st_mode)) return FolderLook{IdentityOf(info), false};
  if (!S_ISLNK(info.st_mode)) return std::nullopt;
  if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
  return FolderLook{IdentityOf(info), true};
}

std::optional<FileIdentity> FolderIdentity(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return std::nullopt;
  }
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
