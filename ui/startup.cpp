#include "ui/startup.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>

#include <cstdlib>

#include "describe/os_tags.h"
#include "output/layout_rules.h"
#include "output/list_writer.h"
#include "platform/disc_files.h"
#include "platform/paths.h"
#include "ui/dialogs.h"
#include "ui/program_control.h"
#include "ui/select_scd.h"
#include "shell/templates.h"

namespace cartulon {

StartupEnvironment ReadStartupEnvironment() {
  StartupEnvironment env;
  env.programFolder = PathBytes(QCoreApplication::applicationDirPath());
  env.workingFolder = PathBytes(QDir::currentPath());
  const QDate today = QDate::currentDate();
  env.today = {today.month(), today.day(), today.year()};
  if (const char* override = std::getenv(kTodayOverrideVariable)) {
    if (auto date = ParseCalendarDate(override)) env.today = *date;
  }
  return env;
}

std::optional<RootChoice> ValidateRoot(SCDSelector& dialog, const StartupEnvironment& env,
                                       const TemplateFiles& files, MessageSink& messages,
                                       ProgramControl& control) {
  const int result = dialog.exec();
  if (result == kResultCancel) {
    RemoveWrittenTemplates(env.workingFolder, files);
    control.RequestEnd();
    return std::nullopt;
  }
  RootChoice choice;
  choice.pathText = dialog.PathText();
  choice.cdMasterPath = BuildCDMasterPath(choice.pathText);
  const MasterFileLocations masters{env.programFolder, choice.cdMasterPath};
  // An empty path box names no disc: it gets the not-found message.
  if (!choice.pathText.empty() && !masters.Resolve().empty()) return choice;

  messages.Show({kApplicationTitle, masters.MissingMessage(), MessageKind::Error});
  RemoveBothTemplates(env.workingFolder);
  control.RequestEnd();
  return std::nullopt;
}

}  // namespace cartulon
