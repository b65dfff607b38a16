#pragma once
// The files the program reads (INI files, lists, rules and contact files)
// are small text files. Only regular files are read, and only up to a size
// no such file comes near: a device, a pipe or a runaway file never blocks
// the program or fills its memory.
#include <cstddef>
#include <optional>
#include <string>

namespace cartulon {

// The largest file the program reads: 64 MiB. A larger one counts as
// unreadable.
inline constexpr std::size_t kLargestInputFile = std::size_t{64} << 20;

enum class InputFileState { Readable, Missing, NotAFile, TooLarge };

// What `path` is, following symbolic links. Per platform
// (input_files_posix.cpp, input_files_win32.cpp).
InputFileState CheckInputFile(const std::string& path);

// Why a file is not read, in a few words ("does not exist", "is not a
// regular file", "is larger than 64 MiB"); empty for a readable file.
std::string InputFileProblem(InputFileState state);

// The whole file as bytes; nullopt unless it is a readable regular file of
// at most kLargestInputFile bytes (also when it grows past that while it is
// read).
std::optional<std::string> ReadInputFile(const std::string& path);

}  // namespace cartulon
