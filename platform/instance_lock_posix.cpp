#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"

namespace cartulon {

std::string LockFilePath(std::string_view name, const std::string& folder) {
  std::string fileName(name);
  for (char& c : fileName) {
    if (c == '/' || c == '\\') c = '_';
  }
  fileName += ".lock";
  return JoinPath(folder, fileName);
}

namespace {

// A folder only this user can use: created with mode 0700 when missing; an
// existing one must be a real folder (not a link) owned by this user.
bool PrepareOwnFolder(const std::string& folder) {
  if (folder.empty()) return false;
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    if (errno != ENOENT) return false;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(folder).parent_path(), ec);
    if (ec || (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)) return false;
  }
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) return false;
  if (!S_ISDIR(info.st_mode)) return false;
  return info.st_uid == ::getuid();
}

}  // namespace

InstanceLock::~InstanceLock() { Release(); }

bool InstanceLock::Held() const { return native_ >= 0; }

void InstanceLock::Release() {
  if (native_ >= 0) {
    ::flock(static_cast<int>(native_), LOCK_UN);
    ::close(static_cast<int>(native_));
    native_ = -1;
  }
}

LockResult InstanceLock::Acquire(std::string_view name, const std::string& folder) {
  Release();
  const std::string lockFolder = folder.empty() ? DefaultLockFolder() : folder;
  if (!PrepareOwnFolder(lockFolder)) return LockResult::Unavailable;
  const std::string path = LockFilePath(name, lockFolder);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return LockResult::Unavailable;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    return error == EWOULDBLOCK ? LockResult::HeldElsewhere : LockResult::Unavailable;
  }
  native_ = fd;
  return LockResult::Acquired;
}

std::string DefaultLockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return runtime;
  std::error_code ec;
  std::string temp = std::filesystem::temp_directory_path(ec).string();
  if (ec || temp.empty()) temp = "/tmp";
  return JoinPath(temp, "cartulon-" + std::to_string(::getuid()));
}

}  // namespace cartulon
