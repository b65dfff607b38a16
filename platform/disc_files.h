#pragma once
// File-system queries on the disc, with the letter-case rule of the disc's
// home file system: a name the program looks for is found whatever its letter
// case: the exact name when present, otherwise the first entry in directory
// order whose name equals it ignoring ASCII case. (Windows applies that rule
// itself; on POSIX the listing fallback below emulates it.)
//
// Per platform (disc_files_posix.cpp, disc_files_win32.cpp): listing,
// existence, folder identity and the atomic write. Names are bytes as the
// system gives them: on Windows through the ANSI functions, in the system
// code page.
#include <cstdint>
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
// listed. Symbolic links are followed for the folder test, like the disc's
// home system follows junctions; loops are bounded by the scan depth.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);

// True when `path` names an existing regular file (not a folder).
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// True when `path` names a plain file: not a folder, a device or a pipe.
bool IsRegularFile(const std::string& path);

// The identity of a folder on its file system: device and inode on POSIX,
// volume serial number and file index on Windows. Every path that reaches
// the same folder (through links or junctions as well) gives the same id.
struct FileId {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileId&) const = default;
};
// nullopt when `path` is not a folder that can be reached.
std::optional<FileId> FolderId(const std::string& path);

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

// Reads a whole file as bytes; nullopt when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// What the final rename of an atomic write does with a file that is there
// by then.
enum class ExistingFile {
  Replace,  // the new file takes its place
  Keep,     // the write fails and the file stays: a file that appeared
            // while the bytes were written is never replaced
};

// Writes bytes to `path` atomically: a temporary file in the same folder,
// then a rename over the target. On failure nothing is left behind and any
// earlier file stays as it was; the error text is returned in `error`.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error,
                         ExistingFile ifExists = ExistingFile::Replace);

// Deletes a file; failures are ignored.
void DeleteFileQuietly(const std::string& path);

}  // namespace cartulon
