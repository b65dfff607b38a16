#include "ui/program.h"

#include <QFont>

#include <exception>

#include "platform/instance_lock.h"
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

int RunProgram(const StartupEnvironment& env, Dialogs& dialogs, SettingsStore& store) {
  ProgramControl control;
  ProgramServices services{dialogs, store, control};
  try {
    MainWindow window(env, services);
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
  SettingsStore store(DefaultSettingsLocations());
  const int code = RunProgram(ReadStartupEnvironment(), dialogs, store);
  lock.Release();
  return code;
}

}  // namespace cartulon
