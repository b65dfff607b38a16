// A file that becomes a pipe the moment it has been looked at. This program
// puts its own stat and open in front of the C library's: the first time
// either is called with the watched path, the call is made, and then the
// file is renamed away and a named pipe without a writer takes its place.
// A reader that checks the path and then opens it again would open that
// pipe and wait for good; a reader that opens first and checks the open
// file reads the file it opened.
//
//   cartulon_pipe_swap_probe   writes English.ini into a folder of its own
//       below the temporary folder, reads it through ReadInputFile while it
//       is swapped, removes the folder and prints "read whole" (exit 0) or
//       what went wrong (exit 1). A run that never ends is the fault that
//       the test's time-out reports.
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/input_files.h"

namespace {

std::string watched;
bool swapped = false;

void SwapAfterFirstLook(const char* path) {
  if (swapped || watched.empty() || path == nullptr || watched != path) return;
  swapped = true;
  std::rename(watched.c_str(), (watched + ".moved").c_str());
  ::mkfifo(watched.c_str(), 0600);
}

template <typename Function>
Function Real(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

int OpenAndSwap(const char* name, const char* path, int flags, va_list rest) {
  using OpenFunction = int (*)(const char*, int, ...);
  static OpenFunction real = Real<OpenFunction>(name);
  const mode_t mode = (flags & O_CREAT) != 0 ? static_cast<mode_t>(va_arg(rest, int)) : 0;
  const int result = real(path, flags, mode);
  SwapAfterFirstLook(path);
  return result;
}

}  // namespace

extern "C" {

int stat(const char* path, struct stat* info) {
  using StatFunction = int (*)(const char*, struct stat*);
  static StatFunction real = Real<StatFunction>("stat");
  const int result = real(path, info);
  SwapAfterFirstLook(path);
  return result;
}

#define CARTULON_OPEN_AND_SWAP(name)                             \
  int name(const char* path, int flags, ...) {                   \
    va_list rest;                                                \
    va_start(rest, flags);                                       \
    const int result = OpenAndSwap(#name, path, flags, rest);    \
    va_end(rest);                                                \
    return result;                                               \
  }
CARTULON_OPEN_AND_SWAP(open)
CARTULON_OPEN_AND_SWAP(open64)

}  // extern "C"

int main() {
  std::error_code ec;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / "pipe-swap-XXXXXX").string();
  std::vector<char> folder(pattern.begin(), pattern.end());
  folder.push_back('\0');
  if (::mkdtemp(folder.data()) == nullptr) {
    std::puts("no folder");
    return 1;
  }
  const std::string path = std::string(folder.data()) + "/English.ini";
  const std::string bytes = "[Default]\r\nTitle=Swapped\r\n";
  std::ofstream(path, std::ios::binary) << bytes;
  watched = path;
  const std::optional<std::string> read = cartulon::ReadInputFile(path);
  std::filesystem::remove_all(folder.data(), ec);
  if (!swapped) {
    std::puts("the file was never looked at");
    return 1;
  }
  if (read != bytes) {
    std::puts(read ? "other bytes were read" : "nothing was read");
    return 1;
  }
  std::puts("read whole");
  return 0;
}
