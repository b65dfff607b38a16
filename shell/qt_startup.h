#pragma once
// The start-up sequence that the main window's construction runs: the
// carried templates written into the working folder, the date, and the
// check of the chosen disc root (ValidateRoot).
#include <optional>
#include <string>
#include <string_view>

#include "platform/message_sink.h"

namespace cartulon {

class ProgramControl;
class SCDSelector;

inline constexpr const char* kApplicationTitle = "Zolt Cartulon";
inline constexpr const char* kTemplateType = "TXTFILE";
inline constexpr const char* kTechSuppResource = "TECHSUPP";
inline constexpr const char* kRulesResource = "FileList_Exp";
// M/D/YYYY, read at start-up in place of today's date (for tests).
inline constexpr const char* kTodayOverrideVariable = "CARTULON_TODAY";
inline constexpr int kStartupDepth = 6;

struct CalendarDate {
  int month = 1;
  int day = 1;
  int year = 2000;
};

struct StartupEnvironment {
  std::string programFolder;  // folder of the program file, no trailing delimiter
  std::string workingFolder;  // the current folder at start-up
  CalendarDate today;
};

// "M/D/YYYY" (leading zeros allowed); nullopt when it is not a real date.
std::optional<CalendarDate> ParseCalendarDate(std::string_view text);

// The running program's environment: the program file's folder, the current
// folder and today's local date, or the date of CARTULON_TODAY when it holds
// one. Needs the application object.
StartupEnvironment ReadStartupEnvironment();

// Which of the two templates start-up found after writing them.
struct TemplateFiles {
  bool TechSuppWritten = false;
  bool RulesFileWritten = false;
};

// Writes both carried templates into the working folder and checks that
// they are there. False after the not-found message of the first one
// missing; the caller then ends the program.
bool WriteCarriedTemplates(const std::string& workingFolder, MessageSink& messages,
                           TemplateFiles& files);

// Deletes the templates that start-up found (Cancel, the main window's
// close); failures are ignored.
void RemoveWrittenTemplates(const std::string& workingFolder, const TemplateFiles& files);

// Deletes both templates, found or not (a missing master file).
void RemoveBothTemplates(const std::string& workingFolder);

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
