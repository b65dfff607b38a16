#include "ui/program.h"

#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <exception>
#include <variant>

#include "desktop/desktop_arguments.h"
#include "platform/instance_lock.h"
#include "platform/system_language.h"
#include "shell/ui_text.h"
#include "ui/dialogs.h"
#include "platform/settings_store.h"
#include "ui/startup.h"
#include "ui/main_window.h"

namespace cartulon {

CartulonApplication::CartulonApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool CartulonApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    if (reporter_ != nullptr) {
      reporter_->ShowMessage(nullptr, {kApplicationTitle, error.what(), MessageKind::Error});
    }
  }
  return false;
}

void ApplyDesignFont(QApplication& app) {
  QFont font = QApplication::font();
  font.setPointSize(8);
  app.setFont(font);
}

QTranslator* InstallToolkitTranslations(QApplication& app, int languageOffset) {
  const char* locale = languageOffset == kTraditionalChineseOffset ? "zh_TW"
                       : languageOffset == kSimplifiedChineseOffset ? "zh_CN"
                                                                    : nullptr;
  if (locale == nullptr) return nullptr;
  // The toolkit's own buttons and dialogs (Yes, No, the file and folder
  // pickers); without the translations installed they stay in English.
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_") + QString::fromLatin1(locale),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
    return translator;
  }
  delete translator;
  return nullptr;
}

int RunProgram(const StartupEnvironment& env, Dialogs& dialogs, SettingsStore& store,
               DesktopOptions options) {
  ProgramControl control;
  ProgramServices services{dialogs, store, control};
  try {
    MainWindow window(env, services, std::move(options));
    control.RunMainLoop();
  } catch (const std::exception& error) {
    dialogs.ShowMessage(nullptr, {kApplicationTitle, error.what(), MessageKind::Error});
  }
  return 0;
}

int ProgramEntry(int argc, char** argv) {
  InstanceLock lock;
  if (lock.Acquire(kInstanceLockName) == LockResult::HeldElsewhere) return 0;

  CartulonApplication app(argc, argv);
  QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
  QApplication::setQuitOnLastWindowClosed(false);
  ApplyDesignFont(app);
  QtDialogs dialogs;
  app.SetReporter(&dialogs);
  InstallToolkitTranslations(app, LanguageOffsetFor(SystemDefaultLanguageId()));
  // The toolkit has taken its own arguments out of the list.
  auto parsed = ParseDesktopArguments(argc, argv);
  if (const auto* help = std::get_if<HelpRequested>(&parsed)) {
    std::fputs(help->text.c_str(), stdout);
    return 0;
  }
  if (const auto* error = std::get_if<ArgumentError>(&parsed)) {
    std::fprintf(stderr, "%s\n", error->text.c_str());
    dialogs.ShowMessage(nullptr, {kApplicationTitle, error->text, MessageKind::Error});
    return 2;
  }
  SettingsStore store(DefaultSettingsLocations());
  const int code = RunProgram(ReadStartupEnvironment(), dialogs, store,
                              std::get<DesktopOptions>(std::move(parsed)));
  lock.Release();
  return code;
}

}  // namespace cartulon
