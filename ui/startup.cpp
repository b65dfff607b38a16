#include "ui/startup.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>

#include <cstdlib>

#include "ui/dialogs.h"

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

}  // namespace cartulon
