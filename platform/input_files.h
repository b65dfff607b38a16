#pragma once
// The files the program reads (INI files, lists, rules and contact files)
// are small text files. Only regular files are read, and only up to a size
// no such file comes near: a device, a pipe or a runaway file never blocks
// the program or fills its memory.
#include <cstddef>
#include <optional>
#include <string>

#include "platform/file_identity.h"

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
// read). The file is opened first, without waiting (a pipe or a device
// never blocks the open), and its type and size are checked on the open
// file, so a file swapped for something else between a look and the read
// is never read. `state`, when given, says what the file was found to be;
// Readable with nullopt means the file could not be opened or read (errno
// says why on POSIX).
std::optional<std::string> ReadInputFile(const std::string& path,
                                         InputFileState* state = nullptr);

// Why ReadInputFile gives nothing for `path`, in words that follow the
// path: InputFileProblem of what the file is, or, for a file that is there
// but cannot be opened or read (no permission, in use by another program),
// "cannot be read (" and the system's reason ")". Empty when it reads. The
// file is read again to find out.
std::string UnreadableReason(const std::string& path);

// Notes the identity of every file ReadInputFile reads, from any thread, while
// it exists: what a run has read, so that it never writes over one of its own
// inputs. One at a time.
class InputFileRecord {
 public:
  InputFileRecord();
  ~InputFileRecord();
  InputFileRecord(const InputFileRecord&) = delete;
  InputFileRecord& operator=(const InputFileRecord&) = delete;

  // True when a file of this identity was read.
  bool Holds(const FileIdentity& identity) const;
};

// Per platform (input_files_posix.cpp, input_files_win32.cpp): the open,
// the checks on the open file and the read; `identity` is the open file's.
struct OpenedInputFile {
  InputFileState state = InputFileState::Missing;
  std::optional<std::string> bytes;
  FileIdentity identity;
  // Readable without bytes: the system's reason, in words (may be empty).
  std::string failure = {};
};
OpenedInputFile ReadOpenedInputFile(const std::string& path);

}  // namespace cartulon
