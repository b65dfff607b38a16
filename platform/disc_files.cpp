#include "platform/disc_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/input_files.h"
#include "platform/interrupt_cleanup.h"
#include "platform/paths.h"
#include "platform/text.h"

#ifdef _WIN32
#include <filesystem>
#else
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>  // renameat2
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

#ifndef _WIN32
namespace {

// Renames `from` to `to` unless `to` exists, in one step: renameat2 with
// RENAME_NOREPLACE where the system and the file system offer it, else a
// hard link (which fails when `to` exists) and the removal of `from`. False
// with errno set (EEXIST when `to` exists).
bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
#endif
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

}  // namespace
#endif

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error,
                         WriteMode mode, bool* appeared) {
  auto fail = [&](const std::string& reason) {
    if (error != nullptr) *error = reason;
    return false;
  };
  if (path.empty()) return fail("No file name given.");
#ifdef _WIN32
  (void)mode;
  (void)appeared;
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
  // Only a regular file (or a symbolic link, which a rename replaces as a
  // link) is ever replaced: never a folder, a device, a pipe or a socket.
  struct stat existing;
  const bool exists = ::lstat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return fail(std::strerror(EISDIR));
  if (exists && !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode)) {
    return fail("It is not a regular file.");
  }
  if (exists && mode == WriteMode::KeepExisting) {
    if (appeared != nullptr) *appeared = true;
    return fail(std::strerror(EEXIST));
  }
  std::string folder = FolderPart(path);
  std::string pattern = (folder.empty() ? std::string("./") : folder) + ".cartulon-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // The temporary file is created and registered in one step, so that an
  // interrupt of the run removes it.
  int fd = -1;
  WithCleanupLock([&] {
    fd = mkstemp(name.data());
    if (fd >= 0) RegisterForCleanup(name.data());
  });
  if (fd < 0) return fail(std::strerror(errno));
  const std::string temp(name.data());
  auto discard = [&](const std::string& reason) {
    WithCleanupLock([&] {
      ::unlink(temp.c_str());
      UnregisterFromCleanup(temp);
    });
    return fail(reason);
  };
  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      const std::string reason = std::strerror(errno);
      ::close(fd);
      return discard(reason);
    }
    written += static_cast<std::size_t>(n);
  }
  // The usual permissions of a new file (mkstemp makes it private); a file
  // replaced keeps its own permission bits, without set-user-id,
  // set-group-id and sticky, and never takes those of a link's target.
  mode_t mask = umask(0);
  umask(mask);
  mode_t bits = 0666 & ~mask;
  if (exists && S_ISREG(existing.st_mode)) bits = existing.st_mode & 0777;
  fchmod(fd, bits);
  const bool synced = ::fsync(fd) == 0;
  const std::string syncReason = synced ? std::string() : std::strerror(errno);
  const bool closed = ::close(fd) == 0;
  if (!synced || !closed) {
    return discard(synced ? std::string(std::strerror(errno)) : syncReason);
  }
  bool renamed = false;
  int renameError = 0;
  WithCleanupLock([&] {
    renamed = mode == WriteMode::ReplaceExisting ? ::rename(temp.c_str(), path.c_str()) == 0
                                                 : RenameWithoutReplacing(temp, path);
    renameError = errno;
    if (renamed) UnregisterFromCleanup(temp);
  });
  if (!renamed) {
    if (renameError == EEXIST && appeared != nullptr) *appeared = true;
    return discard(std::strerror(renameError));
  }
  return true;
#endif
}

void DeleteFileQuietly(const std::string& path) {
  if (!path.empty()) std::remove(path.c_str());
}

}  // namespace cartulon
