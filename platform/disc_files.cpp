#include "platform/disc_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/input_files.h"
#include "platform/paths.h"
#include "platform/text.h"

#ifdef _WIN32
#include <filesystem>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace cartulon {

#ifdef _WIN32

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
  std::error_code ec;
  std::filesystem::directory_iterator it(std::filesystem::u8path(folder.empty() ? "." : folder), ec);
  if (ec) return std::nullopt;
  std::vector<FolderEntry> entries;
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    FolderEntry entry;
    entry.name = it->path().filename().string();
    entry.isFolder = it->is_directory(ec);
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::u8path(path), ec);
}

bool FolderExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(std::filesystem::u8path(path), ec);
}

#else

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return std::nullopt;
  const int dirFd = dirfd(dir);
  std::vector<FolderEntry> entries;
  errno = 0;
  while (dirent* entry = readdir(dir)) {
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    bool isFolder = false;
    switch (entry->d_type) {
      case DT_DIR:
        isFolder = true;
        break;
      case DT_REG:
        isFolder = false;
        break;
      default: {
        // Links (followed, as the disc's home system follows junctions) and
        // file systems that do not report the type need one stat.
        struct stat info;
        isFolder = fstatat(dirFd, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        break;
      }
    }
    entries.push_back(FolderEntry{name, isFolder});
  }
  closedir(dir);
  return entries;
}

bool FileExists(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

#endif

std::optional<std::string> MatchEntryName(const std::vector<FolderEntry>& entries,
                                          std::string_view name, EntryKind kind) {
  const bool wantFolder = kind == EntryKind::Folder;
  for (const FolderEntry& entry : entries) {
    if (entry.isFolder == wantFolder && entry.name == name) return entry.name;
  }
  for (const FolderEntry& entry : entries) {
    if (entry.isFolder == wantFolder && EqualsIgnoringAsciiCase(entry.name, name)) return entry.name;
  }
  return std::nullopt;
}

std::optional<std::string> MatchEntryName(const std::vector<std::string>& names,
                                          std::string_view name) {
  for (const std::string& candidate : names) {
    if (candidate == name) return candidate;
  }
  for (const std::string& candidate : names) {
    if (EqualsIgnoringAsciiCase(candidate, name)) return candidate;
  }
  return std::nullopt;
}

std::optional<std::string> ResolveOnDisc(const std::string& base, std::string_view relative,
                                         EntryKind kind) {
  std::string current = base;
  std::size_t pos = 0;
  while (pos <= relative.size()) {
    std::size_t end = pos;
    while (end < relative.size() && !IsPathDelimiter(relative[end])) ++end;
    std::string_view component = relative.substr(pos, end - pos);
    const bool last = end >= relative.size();
    pos = end + 1;
    if (component.empty() || component == ".") {
      if (last) break;
      continue;
    }
    const EntryKind wanted = last ? kind : EntryKind::Folder;
    if (component == "..") {
      // Leaving the folder goes up as written; the case rule has nothing to match.
      current = JoinPath(current, component);
      if (last && !(wanted == EntryKind::Folder ? FolderExists(current) : FileExists(current)))
        return std::nullopt;
      continue;
    }
    std::string exact = JoinPath(current, component);
    const bool exactFits = wanted == EntryKind::Folder ? FolderExists(exact) : FileExists(exact);
    if (exactFits) {
      current = std::move(exact);
    } else {
      auto entries = ListFolder(current);
      if (!entries) return std::nullopt;
      auto match = MatchEntryName(*entries, component, wanted);
      if (!match) return std::nullopt;
      current = JoinPath(current, *match);
    }
    if (last) return current;
  }
  return (kind == EntryKind::Folder ? FolderExists(current) : FileExists(current))
             ? std::optional<std::string>(current)
             : std::nullopt;
}

std::optional<std::string> ReadFileBytes(const std::string& path) { return ReadInputFile(path); }

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  auto fail = [&](const std::string& reason) {
    if (error != nullptr) *error = reason;
    return false;
  };
  if (path.empty()) return fail("No file name given.");
#ifdef _WIN32
  std::string temp = path + ".partial";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return fail("The file cannot be created.");
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::remove(temp.c_str());
      return fail("The file cannot be written.");
    }
  }
  std::error_code ec;
  std::filesystem::rename(std::filesystem::u8path(temp), std::filesystem::u8path(path), ec);
  if (ec) {
    std::remove(temp.c_str());
    return fail(ec.message());
  }
  return true;
#else
  if (FolderExists(path)) return fail(std::strerror(EISDIR));
  std::string folder = FolderPart(path);
  std::string pattern = (folder.empty() ? std::string("./") : folder) + ".cartulon-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return fail(std::strerror(errno));
  const std::string temp(name.data());
  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      const std::string reason = std::strerror(errno);
      ::close(fd);
      ::unlink(temp.c_str());
      return fail(reason);
    }
    written += static_cast<std::size_t>(n);
  }
  // Keep the usual permissions of a new file (mkstemp makes it private).
  mode_t mask = umask(0);
  umask(mask);
  mode_t mode = 0666 & ~mask;
  struct stat existing;
  if (stat(path.c_str(), &existing) == 0) mode = existing.st_mode & 07777;
  fchmod(fd, mode);
  const bool synced = ::fsync(fd) == 0;
  const std::string syncReason = synced ? std::string() : std::strerror(errno);
  const bool closed = ::close(fd) == 0;
  if (!synced || !closed) {
    const std::string reason = synced ? std::string(std::strerror(errno)) : syncReason;
    ::unlink(temp.c_str());
    return fail(reason);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    ::unlink(temp.c_str());
    return fail(reason);
  }
  return true;
#endif
}

void DeleteFileQuietly(const std::string& path) {
  if (!path.empty()) std::remove(path.c_str());
}

}  // namespace cartulon
