#include "shell/folder_history.h"

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

std::string DefaultDiscRoot(const std::string& programFolder) {
  std::string folder = programFolder;
  if (folder.empty() || !IsPathDelimiter(folder.back())) folder.push_back(kPathDelimiter);
  return FolderPart(StripTrailingDelimiter(folder));
}

}  // namespace cartulon
