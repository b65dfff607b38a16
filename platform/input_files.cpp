#include "platform/input_files.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace cartulon {

InputFileState CheckInputFile(const std::string& path) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status)) return InputFileState::Missing;
  if (!std::filesystem::is_regular_file(status)) return InputFileState::NotAFile;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return InputFileState::NotAFile;
  if (size > kLargestInputFile) return InputFileState::TooLarge;
  return InputFileState::Readable;
}

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
