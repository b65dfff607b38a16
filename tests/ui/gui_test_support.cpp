#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ui/select_scd.h"
#include "ui/main_window.h"

namespace cartulon::gui_test {

namespace fs = std::filesystem;

void ScriptedDialogs::ShowMessage(QWidget* owner, const Message& message) {
  messages.push_back({message.caption, message.text, message.kind, owner != nullptr});
  if (onMessage) onMessage(messages.back());
}

bool ScriptedDialogs::AskYesNo(QWidget* owner, const std::string& caption,
                               const std::string& text) {
  questions.push_back({caption, text, owner != nullptr});
  if (yesNoAnswers.empty()) {
    ++unexpected;
    return false;
  }
  const bool answer = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return answer;
}

std::optional<SaveDialogChoice> ScriptedDialogs::AskSaveFile(QWidget*,
                                                            const std::string& initialFolder,
                                                            const std::string& filter) {
  saveDialogFolders.push_back(initialFolder);
  saveDialogFilters.push_back(filter);
  if (saveAnswers.empty()) {
    ++unexpected;
    return std::nullopt;
  }
  std::optional<SaveDialogChoice> answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

std::string ScriptedDialogs::PickFolder(QWidget*, const std::string& title, const std::string&,
                                        const std::string&) {
  pickerTitles.push_back(title);
  if (folderAnswers.empty()) {
    ++unexpected;
    return {};
  }
  std::string answer = folderAnswers.front();
  folderAnswers.pop_front();
  return answer;
}

void OnShownImpl(std::function<QWidget*()> find, std::function<void(QWidget*)> action,
                 bool whenIdle, int timeoutMs) {
  auto* timer = new QTimer(qApp);
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, timer, [=] {
    QWidget* widget = find();
    const bool ready =
        widget != nullptr && (!whenIdle || QApplication::activeModalWidget() == nullptr);
    if (ready || clock->elapsed() > timeoutMs) {
      timer->stop();
      timer->deleteLater();
      if (ready) {
        action(widget);
      } else {
        ADD_FAILURE() << "the expected window was not shown";
      }
    }
  });
  timer->start();
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

void HoverOver(QWidget* widget) {
  const QPointF local(widget->width() / 2.0, widget->height() / 2.0);
  QMouseEvent move(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

std::string SampleDiscPath() {
  const std::string path = std::string(CARTULON_EXAMPLES) + "/SupportCD";
  return Exists(path + "/Bin/Zscdinst.ini") ? path : std::string();
}

namespace {

constexpr const char* kMinimalMaster =
    "[OS_Language_Tag]\r\nWNT_6.1P_32=InstWin7_32\r\nWNT_6.1P_64=InstWin7_64\r\n"
    "[InstAll]\r\nInstWin7_32=1\r\nInstWin7_64=1\r\n"
    "[ConditionTable]\r\nNumber=0\r\n";

}  // namespace

TestDisc::TestDisc(Content content)
    : root_(dir_.Path("SupportCD")),
      working_(dir_.MakeFolder("work")),
      storePath_(dir_.Path("store/remember.ini")),
      store_({storePath_, storePath_}) {
  const std::string sample = SampleDiscPath();
  if (content == Content::Sample && !sample.empty()) {
    fs::copy(sample, root_, fs::copy_options::recursive);
  } else {
    dir_.WriteFile("SupportCD/Bin/Zscdinst.ini", kMinimalMaster);
  }
  env_.programFolder = Bin();
  env_.workingFolder = working_;
  env_.today = {3, 1, 2024};
}

std::string TestDisc::AddFolder(const std::string& relative) {
  return dir_.MakeFolder("SupportCD/" + relative);
}

std::string TestDisc::AddFile(const std::string& relative, const std::string& bytes) {
  return dir_.WriteFile("SupportCD/" + relative, bytes);
}

PreviewSession::PreviewSession(TestDisc::Content content)
    : disc_(std::make_unique<TestDisc>(content)) {
  Start();
}

PreviewSession::PreviewSession(std::unique_ptr<TestDisc> disc, AnalysisWorker* worker)
    : disc_(std::move(disc)) {
  Start(worker);
}

PreviewSession::~PreviewSession() { window_.reset(); }

void PreviewSession::Start(AnalysisWorker* worker) {
  services_ = std::make_unique<ProgramServices>(ProgramServices{dialogs, disc_->Store(), control});
  OnShown<SCDSelector>([](SCDSelector& dialog) { dialog.Button2()->click(); });
  window_ = std::make_unique<MainWindow>(disc_->Env(), *services_, DesktopOptions{}, worker);
}

ShowRecorder::ShowRecorder() { qApp->installEventFilter(this); }

ShowRecorder::~ShowRecorder() { qApp->removeEventFilter(this); }

bool ShowRecorder::Saw(const char* className) const {
  return std::find(shown.begin(), shown.end(), className) != shown.end();
}

bool ShowRecorder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->isWindow()) {
    shown.emplace_back(watched->metaObject()->className());
  }
  return false;
}

std::unique_ptr<ProgramRun> RunProgramOn(TestDisc& disc, ScriptedDialogs& dialogs,
                                         std::function<void(SCDSelector&)> choose,
                                         std::function<void(MainWindow&)> inPreview,
                                         DesktopOptions options) {
  auto run = std::make_unique<ProgramRun>();
  ProgramRun* state = run.get();
  if (choose) OnShown<SCDSelector>(std::move(choose));
  if (inPreview) {
    OnShown<MainWindow>(
        [state, inPreview](MainWindow& window) {
          state->mainLoopRan = true;
          inPreview(window);
          window.close();
        },
        /*whenIdle=*/true);
  }
  // A run that hangs in the loop fails instead of blocking the tests.
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    ADD_FAILURE() << "the program did not end";
    for (QWidget* widget : QApplication::topLevelWidgets()) widget->close();
    QCoreApplication::exit(1);
  });
  watchdog.start(60000);
  run->exitCode = RunProgram(disc.Env(), dialogs, disc.Store(), std::move(options));
  return run;
}

}  // namespace cartulon::gui_test
