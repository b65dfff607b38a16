#pragma once
// The program entry: one instance per user, the application object, the
// main window (whose construction runs the start-up) and the message loop.
#include <QApplication>
#include <QTranslator>

#include "desktop/desktop_session.h"
#include "ui/program_control.h"

namespace cartulon {

struct StartupEnvironment;

// The application object: an exception that escapes an event handler is
// shown in a message box with the application title, and the loop goes on.
class CartulonApplication : public QApplication {
 public:
  CartulonApplication(int& argc, char** argv);
  void SetReporter(Dialogs* dialogs) { reporter_ = dialogs; }
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  Dialogs* reporter_ = nullptr;
};

// The fonts of the forms' design: a small sans-serif for the forms.
void ApplyDesignFont(QApplication& app);

// Entry steps 4 to 6 with the application object in place: creates the main
// window, whose construction runs the start-up, then runs the message loop
// unless the program was told to end. An exception that escapes is shown
// and ends the program. Returns the exit code, 0.
int RunProgram(const StartupEnvironment& env, Dialogs& dialogs, SettingsStore& store,
               DesktopOptions options = {});

// Qt's translations of its own buttons and dialogs for the UI language;
// the translator installed (owned by `app`), null for English or when the
// translations are not installed.
QTranslator* InstallToolkitTranslations(QApplication& app, int languageOffset);

// The whole entry: a second instance returns 0 at once, silently.
int ProgramEntry(int argc, char** argv);

}  // namespace cartulon
