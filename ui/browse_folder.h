#pragma once
// The folder picker of the selection dialog's "Browse" and the main window's
// "SCD Path...".
#include <string>

#include "shell/ui_text.h"

class QWidget;

namespace cartulon {

class Dialogs;

// The chosen folder's path, empty when the user cancels. An empty `root`
// leaves the whole file system open; an empty `initial` selects nothing.
std::string BrowseForFolder(Dialogs& dialogs, QWidget* owner, const std::string& root,
                            const std::string& initial);

}  // namespace cartulon
