#include "desktop/remembered_roots.h"

#include <utility>
#include <vector>

#include "platform/home_folder.h"
#include "shell/folder_history.h"

namespace cartulon {

namespace {

std::string ValueName(int k) { return "Folder" + std::to_string(k); }

}  // namespace

SelectionRequest SelectionRequestFor(const SettingsStore& store, const std::string& programFolder,
                                     const std::string& root) {
  SelectionRequest request;
  for (int k = 1; k <= kRememberedFolders; ++k) {
    request.remembered[static_cast<std::size_t>(k - 1)] = store.ReadString(kRememberKey, ValueName(k));
  }
  request.proposedRoot =
      !root.empty() ? root : DefaultDiscRoot(programFolder, request.remembered, HomeFolder());
  return request;
}

void RememberRoot(SettingsStore& store,
                  const std::array<std::string, kRememberedFolders>& remembered,
                  const std::string& path) {
  FolderHistory history;
  history.Load(remembered);
  history.UpdateHistory(path);
  const auto stored = history.Stored();
  std::vector<std::pair<std::string, std::string>> values;
  for (int k = 1; k <= kRememberedFolders; ++k) {
    values.emplace_back(ValueName(k), stored[static_cast<std::size_t>(k - 1)]);
  }
  store.WriteStrings(kRememberKey, values);
}

}  // namespace cartulon
