#include "shell/qt_startup.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>

#include <charconv>
#include <cstdlib>

#include "describe/os_tags.h"
#include "output/layout_rules.h"
#include "output/list_writer.h"
#include "platform/disc_files.h"
#include "platform/paths.h"
#include "platform/qt_dialogs.h"
#include "shell/qt_program.h"
#include "shell/qt_select_scd.h"
#include "shell/templates.h"

namespace cartulon {

namespace {

bool ParseNumber(std::string_view text, int* value) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, *value);
  return error == std::errc() && ptr == end;
}

}  // namespace

std::optional<CalendarDate> ParseCalendarDate(std::string_view text) {
  const std::size_t first = text.find('/');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = text.find('/', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  CalendarDate date;
  if (!ParseNumber(text.substr(0, first), &date.month) ||
      !ParseNumber(text.substr(first + 1, second - first - 1), &date.day) ||
      !ParseNumber(text.substr(second + 1), &date.year)) {
    return std::nullopt;
  }
  if (!QDate::isValid(date.year, date.month, date.day) || date.year < 1) return std::nullopt;
  return date;
}

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

bool WriteCarriedTemplates(const std::string& workingFolder, MessageSink& messages,
                           TemplateFiles& files) {
  // What counts is whether the files are there afterwards, not whether
  // this start wrote them.
  ExtractTemplate(workingFolder, kTechSuppResource, kTemplateType, messages);
  ExtractTemplate(workingFolder, kRulesResource, kTemplateType, messages);
  if (!FileExists(JoinPath(workingFolder, kContactFileName))) {
    messages.Show({kApplicationTitle, "TECHSUPP.ini not found !", MessageKind::Error});
    return false;
  }
  files.TechSuppWritten = true;
  if (!FileExists(JoinPath(workingFolder, kRulesFileName))) {
    messages.Show({kApplicationTitle, "FileList_Exp.ini not found !", MessageKind::Error});
    return false;
  }
  files.RulesFileWritten = true;
  return true;
}

void RemoveWrittenTemplates(const std::string& workingFolder, const TemplateFiles& files) {
  if (files.TechSuppWritten) DeleteFileQuietly(JoinPath(workingFolder, kContactFileName));
  if (files.RulesFileWritten) DeleteFileQuietly(JoinPath(workingFolder, kRulesFileName));
}

void RemoveBothTemplates(const std::string& workingFolder) {
  DeleteFileQuietly(JoinPath(workingFolder, kRulesFileName));
  DeleteFileQuietly(JoinPath(workingFolder, kContactFileName));
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
