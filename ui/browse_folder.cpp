#include "ui/browse_folder.h"

#include "ui/dialogs.h"

namespace cartulon {

std::string BrowseForFolder(Dialogs& dialogs, QWidget* owner, const std::string& root,
                            const std::string& initial) {
  return dialogs.PickFolder(owner, kBrowseTitle, root, initial);
}

}  // namespace cartulon
