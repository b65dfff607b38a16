#pragma once
// File-system queries on the disc, with the letter-case rule of the disc's
// home file system: a name the program looks for is found whatever its letter
// case: the exact name when present, otherwise the first entry in directory
// order whose name equals it ignoring ASCII case. (Windows applies that rule
// itself; on POSIX the listing fallback below emulates it.)
//
// Per platform (disc_files_posix.cpp, disc_files_win32.cpp): existence and
// the atomic write. Names are bytes as the
// system gives them: on Windows through the ANSI functions, in the system
// code page.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cartulon {

enum class EntryKind { File, Folder };

struct FolderEntry {
  std::string name;
  bool isFolder = false;
};

// Lists a folder in directory order, "." and ".." left out; entries whose
// type cannot be told count as files. nullopt when the folder cannot be
// listed to its end. Symbolic links are followed for the folder test, like
// the disc's home system follows junctions; loops are bounded by the scan
// depth. The names and kinds of the folder walker's listing
// (ListFolderIdentified, platform/file_identity.h).
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);

// True when `path` names an existing regular file (not a folder).
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// Picks `name` from a listing by the letter-case rule; nullopt when absent.
std::optional<std::string> MatchEntryName(const std::vector<FolderEntry>& entries,
                                          std::string_view name, EntryKind kind);
std::optional<std::string> MatchEntryName(const std::vector<std::string>& names,
                                          std::string_view name);

// Resolves a path whose components may differ in letter case from what is
// on disc: each component below `base` is looked up by the letter-case rule.
// `relative` uses native delimiters. Returns the path as it exists on disc,
// or nullopt when some component is missing (or the last is not of `kind`).
std::optional<std::string> ResolveOnDisc(const std::string& base, std::string_view relative,
                                         EntryKind kind);

// Reads a whole file as bytes; nullopt when it cannot be read, is not a
// regular file or is larger than kLargestInputFile (platform/input_files.h).
std::optional<std::string> ReadFileBytes(const std::string& path);

// Writes bytes to `path` atomically: a temporary file in the same folder,
// then a rename over the target. On failure nothing is left behind and any
// earlier file stays as it was; the error text is returned in `error`.
//
// Only a regular file or a symbolic link is replaced (a link as a link,
// never the file it points to): any other existing entry at `path` (a
// folder, a device, a pipe, a socket) fails the write. With KeepExisting an
// existing entry is never replaced, also one that appears while the bytes
// are written: the write fails and `appeared` (when given) is set. A
// replaced file's permission bits are kept, without set-user-id,
// set-group-id and sticky.
enum class WriteMode { ReplaceExisting, KeepExisting };
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error,
                         WriteMode mode = WriteMode::ReplaceExisting, bool* appeared = nullptr);

// Deletes a file; failures are ignored.
void DeleteFileQuietly(const std::string& path);

}  // namespace cartulon
