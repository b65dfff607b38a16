#include "platform/disc_files.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/file_identity.h"
#include "platform/input_files.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace cartulon {

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
  std::optional<IdentifiedListing> listing = ListFolderIdentified(folder);
  if (!listing || !listing->error.empty()) return std::nullopt;
  std::vector<FolderEntry> entries;
  entries.reserve(listing->entries.size());
  for (IdentifiedEntry& entry : listing->entries) {
    entries.push_back(FolderEntry{std::move(entry.name), entry.isFolder});
  }
  return entries;
}

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
    const std::size_t end = std::min(FindDelimiter(relative, pos), relative.size());
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

void DeleteFileQuietly(const std::string& path) {
  if (!path.empty()) std::remove(path.c_str());
}

}  // namespace cartulon
