#pragma once
// Which folder a path really leads to: the identity the file system gives a
// folder (device and inode, or volume and file id), so that two paths to the
// same folder can be told apart from two folders of the same name, and the
// real location of a path with every link resolved, so that a link leading
// off the disc can be noticed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cartulon {

// File 0 stands for "not known" (also for file systems that give none).
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
  bool Known() const { return file != 0; }
};

struct IdentifiedEntry {
  std::string name;
  bool isFolder = false;  // links followed; an entry of unknown type is a file
  bool isLink = false;    // the entry itself is a link (or junction)
  // Of the folder the entry leads to, for folders. Exact for links; for
  // other folders it may be the listing's own word for the entry, which
  // can differ from what the folder says of itself (mount points, some
  // layered file systems): two entries with different identities are
  // different folders only when both are exact.
  FileIdentity identity;
  bool identityExact = false;
};

struct IdentifiedListing {
  FileIdentity folder;  // the listed folder itself, exact
  std::vector<IdentifiedEntry> entries;
  // Why reading the listing stopped before its end, in words (the
  // system's error text); empty when the listing is complete. The entries
  // read until then are kept.
  std::string error;
};

// The folder walker, one per platform (file_identity_posix.cpp,
// file_identity_win32.cpp); ListFolder is a view of it. Lists a folder in
// directory order, "." and ".." left out, and tells which folder it is and,
// for each sub-folder, which folder that is and whether it is reached
// through a link, without a query per plain sub-folder. nullopt when the
// folder cannot be opened for listing.
std::optional<IdentifiedListing> ListFolderIdentified(const std::string& folder);

// The exact identity of the folder a path leads to, links followed.
std::optional<FileIdentity> FolderIdentity(const std::string& path);

// The identity of the file or folder a path leads to, links followed;
// nullopt when it leads to nothing.
std::optional<FileIdentity> PathIdentity(const std::string& path);

// True when the path's last component is itself a link (or junction).
bool IsLink(const std::string& path);

// The absolute location of an existing file or folder with every link, "."
// and ".." resolved; nullopt when it does not exist or cannot be resolved.
std::optional<std::string> RealLocation(const std::string& path);

// True when `location` is `root` or lies below it; both are RealLocation
// results.
bool LocationWithin(std::string_view root, std::string_view location);

}  // namespace cartulon
