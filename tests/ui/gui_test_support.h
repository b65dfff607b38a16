#pragma once
// What the desktop program's tests share: dialogs answered from a script, a
// way to act on a window as soon as it is shown (also inside the modal loops
// that start-up runs), and support discs on the real file system.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs.h"
#include "platform/settings_store.h"
#include "ui/program.h"
#include "ui/startup.h"
#include "support/temp_disc.h"

namespace cartulon {

class MainWindow;
class SCDSelector;

namespace gui_test {

// Answers every box, picker and save dialog from queued answers and records
// what was asked. A question without a queued answer is counted in
// `unexpected` and answered No / Cancel.
class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    std::string caption;
    std::string text;
    MessageKind kind;
    bool owned;
  };
  struct Asked {
    std::string caption;
    std::string text;
    bool owned;
  };

  void ShowMessage(QWidget* owner, const Message& message) override;
  bool AskYesNo(QWidget* owner, const std::string& caption, const std::string& text) override;
  std::optional<SaveDialogChoice> AskSaveFile(QWidget* owner, const std::string& initialFolder,
                                              const std::string& filter) override;
  std::string PickFolder(QWidget* owner, const std::string& title, const std::string& root,
                         const std::string& initial) override;

  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<SaveDialogChoice>> saveAnswers;
  std::deque<std::string> folderAnswers;

  std::vector<Shown> messages;
  std::vector<Asked> questions;
  std::vector<std::string> saveDialogFolders;
  std::vector<std::string> saveDialogFilters;
  std::vector<std::string> pickerTitles;
  int unexpected = 0;
  // Runs when a message box is shown (for looking at the program's state
  // at that moment).
  std::function<void(const Shown&)> onMessage;
};

// Runs `action` once on the first visible top-level widget of type T, as
// soon as one is shown and, with `whenIdle`, no modal window is open. Fails
// the running test when none shows within the time limit.
void OnShownImpl(std::function<QWidget*()> find, std::function<void(QWidget*)> action,
                 bool whenIdle, int timeoutMs);

template <class T>
T* FindShown() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* typed = dynamic_cast<T*>(widget); typed != nullptr && widget->isVisible()) {
      return typed;
    }
  }
  return nullptr;
}

template <class T>
void OnShown(std::function<void(T&)> action, bool whenIdle = false, int timeoutMs = 30000) {
  OnShownImpl([] { return static_cast<QWidget*>(FindShown<T>()); },
              [action](QWidget* widget) { action(*dynamic_cast<T*>(widget)); }, whenIdle,
              timeoutMs);
}

// Processes events until `done` holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 30000);

// A mouse move over the widget, as the mouse gives it when it passes.
void HoverOver(QWidget* widget);

std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);

// A support disc in a scratch folder, with the program's folder (Bin), a
// separate working folder and a store file for the remembered folders.
class TestDisc {
 public:
  // An empty root with Bin/Zscdinst.ini, or a copy of the sample disc.
  enum class Content { Minimal, Sample };
  explicit TestDisc(Content content = Content::Sample);

  // A folder below the root, created with its parents.
  std::string AddFolder(const std::string& relative);
  std::string AddFile(const std::string& relative, const std::string& bytes);

  std::string Root() const { return root_; }
  // The root as the path box shows it: with a trailing delimiter.
  std::string RootText() const { return root_ + "/"; }
  std::string Bin() const { return root_ + "/Bin"; }
  std::string Working() const { return working_; }
  std::string InWorking(const std::string& name) const { return working_ + "/" + name; }
  std::string InRoot(const std::string& name) const { return root_ + "/" + name; }
  const std::string& StorePath() const { return storePath_; }
  SettingsStore& Store() { return store_; }
  StartupEnvironment& Env() { return env_; }
  TempDir& Scratch() { return dir_; }

 private:
  TempDir dir_;
  std::string root_;
  std::string working_;
  std::string storePath_;
  SettingsStore store_;
  StartupEnvironment env_;
};

// The sample disc shipped with the sources (empty when it is missing).
std::string SampleDiscPath();

// A main window after a Preview run's start-up on `disc`: the selection
// dialog is answered with Preview, so the window is open and analysed.
class PreviewSession {
 public:
  explicit PreviewSession(TestDisc::Content content = TestDisc::Content::Sample);
  // For a disc prepared before the start-up; the analyses run on `worker`
  // when one is given.
  explicit PreviewSession(std::unique_ptr<TestDisc> disc, AnalysisWorker* worker = nullptr);
  ~PreviewSession();

  TestDisc& Disc() { return *disc_; }
  MainWindow& Window() { return *window_; }
  ScriptedDialogs dialogs;
  ProgramControl control;

 private:
  void Start(AnalysisWorker* worker = nullptr);
  std::unique_ptr<TestDisc> disc_;
  std::unique_ptr<ProgramServices> services_;
  std::unique_ptr<MainWindow> window_;
};

// Records which kinds of window were shown, by class name.
class ShowRecorder : public QObject {
 public:
  ShowRecorder();
  ~ShowRecorder() override;
  bool Saw(const char* className) const;
  std::vector<std::string> shown;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

struct ProgramRun {
  int exitCode = -1;
  bool mainLoopRan = false;
  ShowRecorder windows;
};

// One run of the program from its entry on `disc`, the selection dialog
// answered by `choose`. With `inPreview` the main window is handed over once
// the message loop runs, and closed afterwards.
std::unique_ptr<ProgramRun> RunProgramOn(TestDisc& disc, ScriptedDialogs& dialogs,
                                         std::function<void(SCDSelector&)> choose,
                                         std::function<void(MainWindow&)> inPreview = {},
                                         DesktopOptions options = {});

}  // namespace gui_test
}  // namespace cartulon
