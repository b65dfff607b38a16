#include "platform/input_files.h"

#include <sys/stat.h>

namespace cartulon {

InputFileState CheckInputFile(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return InputFileState::Missing;
  if (!S_ISREG(info.st_mode)) return InputFileState::NotAFile;
  if (static_cast<std::size_t>(info.st_size) > kLargestInputFile) return InputFileState::TooLarge;
  return InputFileState::Readable;
}

}  // namespace cartulon
