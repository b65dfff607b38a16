#include "shell/qt_browse_folder.h"

#include "platform/qt_dialogs.h"

namespace cartulon {

std::string BrowseForFolder(Dialogs& dialogs, QWidget* owner, const std::string& root,
                            const std::string& initial) {
  return dialogs.PickFolder(owner, kBrowseTitle, root, initial);
}

}  // namespace cartulon
