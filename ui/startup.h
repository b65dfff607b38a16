#pragma once
// The start-up sequence that the main window's construction runs: the
// carried templates written into the working folder, the date, and the
// check of the chosen disc root (ValidateRoot).
#include <optional>
#include <string>
#include <string_view>

#include "platform/message_sink.h"
#include "shell/startup.h"
#include "shell/templates.h"

namespace cartulon {

class ProgramControl;
class SCDSelector;

// The running program's environment: the program file's folder, the current
// folder and today's local date, or the date of CARTULON_TODAY when it holds
// one. Needs the application object.
StartupEnvironment ReadStartupEnvironment();

struct RootChoice {
  std::string pathText;      // the path box text, unchanged
  std::string cdMasterPath;  // CDMasterPath
};

// Shows the selection dialog and checks the chosen root. On Cancel the
// templates are removed and the program is told to end; without a master
// file the message is shown, the templates removed and the end requested.
// Returns the root to analyse otherwise.
std::optional<RootChoice> ValidateRoot(SCDSelector& dialog, const StartupEnvironment& env,
                                       const TemplateFiles& files, MessageSink& messages,
                                       ProgramControl& control);

}  // namespace cartulon
