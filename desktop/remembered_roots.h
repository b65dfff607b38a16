#pragma once
// The selection dialog's data: what it proposes and shows when it opens,
// and the remembered roots it leaves in the settings store when it closes.
#include <array>
#include <string>

#include "desktop/desktop_view.h"
#include "platform/settings_store.h"

namespace cartulon {

// The five remembered roots of the store, and the path box's text: `root`
// when one was given, else the default of DefaultDiscRoot.
SelectionRequest SelectionRequestFor(const SettingsStore& store, const std::string& programFolder,
                                     const std::string& root);

// Moves `path` to the front of the remembered roots (`remembered` as the
// dialog showed them) and stores all five. A store that cannot be written
// is not reported.
void RememberRoot(SettingsStore& store,
                  const std::array<std::string, kRememberedFolders>& remembered,
                  const std::string& path);

}  // namespace cartulon
