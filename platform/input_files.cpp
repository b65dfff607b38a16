#include "platform/input_files.h"

#include <cstdio>

namespace cartulon {

std::string InputFileProblem(InputFileState state) {
  switch (state) {
    case InputFileState::Readable:
      return {};
    case InputFileState::Missing:
      return "does not exist";
    case InputFileState::NotAFile:
      return "is not a regular file";
    case InputFileState::TooLarge:
      return "is larger than " + std::to_string(kLargestInputFile >> 20) + " MiB";
  }
  return {};
}

std::optional<std::string> ReadInputFile(const std::string& path) {
  // The check comes before the open: opening a pipe could block for good.
  if (CheckInputFile(path) != InputFileState::Readable) return std::nullopt;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[1 << 16];
  std::size_t got = 0;
  bool tooLarge = false;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (bytes.size() + got > kLargestInputFile) {
      tooLarge = true;
      break;
    }
    bytes.append(buffer, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed || tooLarge) return std::nullopt;
  return bytes;
}

}  // namespace cartulon
