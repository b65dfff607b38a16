#include "platform/input_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace cartulon {

namespace {

InputFileState StateOf(const struct stat& info) {
  if (!S_ISREG(info.st_mode)) return InputFileState::NotAFile;
  if (static_cast<std::size_t>(info.st_size) > kLargestInputFile) return InputFileState::TooLarge;
  return InputFileState::Readable;
}

}  // namespace

InputFileState CheckInputFile(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return InputFileState::Missing;
  return StateOf(info);
}

OpenedInputFile ReadOpenedInputFile(const std::string& path) {
  OpenedInputFile file;
  if (path.empty()) return file;
  // Without waiting: opening a pipe without a writer, or a device, returns
  // at once; what the file is then shows on the open file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    // A file that is there but cannot be opened (no permission) counts as
    // readable, unreadable for the reason errno gives.
    if (errno != ENOENT && errno != ENOTDIR && errno != ELOOP) {
      file.state = InputFileState::Readable;
      file.failure = std::strerror(errno);
    }
    return file;
  }
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return file;
  }
  file.state = StateOf(info);
  file.identity = FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                               static_cast<std::uint64_t>(info.st_ino)};
  if (file.state != InputFileState::Readable) {
    ::close(fd);
    return file;
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  int error = 0;
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = errno;
      break;
    }
    if (got == 0) break;
    if (bytes.size() + static_cast<std::size_t>(got) > kLargestInputFile) {
      // It grew past the limit while it was read.
      file.state = InputFileState::TooLarge;
      ::close(fd);
      return file;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  if (error != 0) {
    file.failure = std::strerror(error);
    errno = error;
    return file;
  }
  file.bytes = std::move(bytes);
  return file;
}

}  // namespace cartulon
