#include "shell/folder_history.h"

#include "describe/os_tags.h"
#include "platform/paths.h"

namespace cartulon {

void FolderHistory::Load(const std::array<std::string, kRememberedFolders>& values) {
  HistoryCount = 0;
  for (int i = 0; i < kRememberedFolders; ++i) {
    History[static_cast<std::size_t>(i)] = values[static_cast<std::size_t>(i)];
    if (!values[static_cast<std::size_t>(i)].empty()) ++HistoryCount;
  }
}

void FolderHistory::UpdateHistory(const std::string& path) {
  if (HistoryCount < kRememberedFolders) ++HistoryCount;
  int found = HistoryCount;
  for (int i = 0; i < HistoryCount; ++i) {
    if (History[static_cast<std::size_t>(i)] == path) {
      found = i;
      break;
    }
  }
  for (int k = found; k >= 1; --k) {
    History[static_cast<std::size_t>(k)] = History[static_cast<std::size_t>(k - 1)];
  }
  History[0] = path;
}

std::array<std::string, kRememberedFolders> FolderHistory::Stored() const {
  std::array<std::string, kRememberedFolders> values;
  for (int i = 0; i < kRememberedFolders; ++i) {
    values[static_cast<std::size_t>(i)] = History[static_cast<std::size_t>(i)];
  }
  return values;
}

namespace {

std::string WithTrailingDelimiter(std::string folder) {
  if (!EndsInDelimiter(folder)) folder.push_back(kPathDelimiter);
  return folder;
}

}  // namespace

std::string DefaultDiscRoot(const std::string& programFolder,
                            const std::array<std::string, kRememberedFolders>& remembered,
                            const std::string& homeFolder) {
  const std::string parent = FolderPart(StripTrailingDelimiter(WithTrailingDelimiter(programFolder)));
  // The same two places the start-up looks in for the master file, with the
  // parent as the disc root.
  const MasterFileLocations onDisc{programFolder, BuildCDMasterPath(parent)};
  if (!onDisc.Resolve().empty()) return parent;
  for (const std::string& folder : remembered) {
    if (!folder.empty()) return folder;
  }
  if (!homeFolder.empty()) return WithTrailingDelimiter(homeFolder);
  return parent;
}

}  // namespace cartulon
