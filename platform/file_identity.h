#pragma once
// Which folder a path really leads to: the identity the file system gives a
// folder (device and inode, or volume and file id), so that two paths to the
// same folder can be told apart from two folders of the same name, and the
// folder's real location with every link resolved, so that a link leading
// off the disc can be noticed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cartulon {

struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
};

// What a folder path leads to, found with one query of the file system.
struct FolderLook {
  FileIdentity identity;     // of the folder reached, links followed
  bool throughLink = false;  // the path's last component is a link (or junction)
};

// nullopt when the path leads to nothing or to something that is not a
// folder.
std::optional<FolderLook> LookAtFolder(const std::string& path);

// The identity of the folder the path leads to, links followed.
std::optional<FileIdentity> FolderIdentity(const std::string& path);

// True when the path's last component is itself a link (or junction).
bool IsLink(const std::string& path);

// The absolute location of an existing file or folder with every link, "."
// and ".." resolved; nullopt when it does not exist or cannot be resolved.
std::optional<std::string> RealLocation(const std::string& path);

// True when `location` is `root` or lies below it; both are RealLocation
// results.
bool LocationWithin(std::string_view root, std::string_view location);

}  // namespace cartulon
