// The desktop program against the batch command on the 20,000-folder disc
// that gen_disc makes, with the Qt face on the offscreen platform:
//   1. Preview pressed in the selection dialog to the main window shown and
//      painted, against the batch command's whole run on the same disc
//      (target: at most 1.5 times);
//   2. a check-box click to the regenerated, repainted preview (target: at
//      most 50 ms);
//   3. the main window's close to the end of the window and its tree, the
//      work the process does before it ends (target: at most 0.3 s);
//   4. the memory with the main window open, against the batch command's
//      peak (target: at most 2 times): resident, and the anonymous part of
//      it (heap and stacks, without the pages of the libraries' files).
//
// Usage: qt_view_timing CARTULON_CLI
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gen_disc.h"
#include "model/dir_structure.h"
#include "platform/settings_store.h"
#include "ui/dialogs.h"
#include "ui/dir_tree_model.h"
#include "ui/main_window.h"
#include "ui/preview_view.h"
#include "ui/program.h"
#include "ui/select_scd.h"
#include "ui/tree_view.h"

namespace fs = std::filesystem;
using namespace cartulon;

namespace {

// Dialogs that never block: the bench answers nothing.
class SilentDialogs : public Dialogs {
 public:
  void ShowMessage(QWidget*, const Message& message) override {
    std::fprintf(stderr, "message: %s: %s\n", message.caption.c_str(), message.text.c_str());
  }
  bool AskYesNo(QWidget*, const std::string&, const std::string&) override { return false; }
  std::optional<SaveDialogChoice> AskSaveFile(QWidget*, const std::string&,
                                              const std::string&) override {
    return std::nullopt;
  }
  std::string PickFolder(QWidget*, const std::string&, const std::string&,
                         const std::string&) override {
    return {};
  }
};

double Milliseconds(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }

// One batch run to standard output (thrown away): wall time and peak
// resident memory in KiB.
struct ChildRun {
  double ms = 0;
  long peakKiB = 0;
};
ChildRun RunBatch(const std::string& cli, const std::string& root) {
  QElapsedTimer clock;
  clock.start();
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    execl(cli.c_str(), cli.c_str(), "--stdout", root.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return {Milliseconds(clock), usage.ru_maxrss};
}

// A "Name:   N kB" figure of a /proc file of this process.
long ProcFigureKiB(const char* file, const std::string& name) {
  std::ifstream status(file);
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(name, 0) == 0) return std::stol(line.substr(name.size()));
  }
  return 0;
}
long ResidentKiB() { return ProcFigureKiB("/proc/self/status", "VmRSS:"); }
long AnonymousKiB() { return ProcFigureKiB("/proc/self/smaps_rollup", "Anonymous:"); }

std::vector<DirNode*> Leaves(DirNode* root) {
  std::vector<DirNode*> leaves;
  std::vector<DirNode*> pending{root};
  while (!pending.empty()) {
    DirNode* node = pending.back();
    pending.pop_back();
    if (node->Children.empty() && node->Depth >= 2) leaves.push_back(node);
    for (DirNode* child : node->Children) pending.push_back(child);
  }
  return leaves;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  CartulonApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: qt_view_timing CARTULON_CLI\n");
    return 2;
  }
  const std::string cli = argv[1];
  QApplication::setQuitOnLastWindowClosed(false);
  ApplyDesignFont(app);

  const fs::path scratch = fs::temp_directory_path() /
                           ("cartulon-view-timing-" + std::to_string(getpid()));
  fs::create_directories(scratch / "work");
  fs::create_directories(scratch / "program");
  const std::string root = (scratch / "big").string();
  const bench::DiscStats stats = bench::GenerateDisc(root, {20000, 2000, 6, 20240611});
  std::printf("disc: %zu folders, %zu packages\n", stats.folders, stats.packages);

  std::vector<double> batchTimes;
  long batchPeak = 0;
  for (int i = 0; i < 3; ++i) {
    const ChildRun run = RunBatch(cli, root);
    batchTimes.push_back(run.ms);
    batchPeak = std::max(batchPeak, run.peakKiB);
  }
  const double batch = Median(batchTimes);
  std::printf("batch command, whole run: %.0f ms (median of 3), peak %ld KiB\n", batch, batchPeak);

  SilentDialogs dialogs;
  SettingsStore store({(scratch / "store.ini").string(), (scratch / "store.ini").string()});
  ProgramControl control;
  ProgramServices services{dialogs, store, control};
  StartupEnvironment env;
  env.programFolder = (scratch / "program").string();
  env.workingFolder = (scratch / "work").string();
  env.today = {3, 1, 2024};
  DesktopOptions options;
  options.root = root;

  const long baseline = ResidentKiB();
  // Preview is pressed as soon as the dialog shows; the clock starts there.
  QElapsedTimer clock;
  QTimer answer;
  answer.setInterval(1);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (auto* dialog = dynamic_cast<SCDSelector*>(QApplication::activeModalWidget());
        dialog != nullptr && dialog->isVisible()) {
      answer.stop();
      clock.start();
      dialog->Button2()->click();
    }
  });
  answer.start();
  auto window = std::make_unique<MainWindow>(env, services, options);
  if (!window->isVisible()) {
    std::fprintf(stderr, "the main window did not open\n");
    return 1;
  }
  window->repaint();
  QApplication::processEvents();
  const double preview = Milliseconds(clock);
  const long resident = ResidentKiB();
  const long anonymous = AnonymousKiB();
  std::printf("Preview pressed to main window shown: %.0f ms (%.2fx the batch run), %zu lines\n",
              preview, preview / batch, window->ListBox1()->Lines().size());
  std::printf("resident memory, main window open: %ld KiB (%.2fx the batch peak), "
              "%ld KiB of it before the window opened\n",
              resident, static_cast<double>(resident) / static_cast<double>(batchPeak), baseline);
  std::printf("  of which anonymous (heap, stacks): %ld KiB (%.2fx the batch peak); the rest are "
              "the pages of Qt's and the program's files\n",
              anonymous, static_cast<double>(anonymous) / static_cast<double>(batchPeak));

  FileTreeView* tree = window->tvFileList();
  tree->resize(tree->width(), 2000);
  tree->expandToDepth(6);
  const std::vector<DirNode*> leaves = Leaves(window->Session().CurrentTree()->RootDir);
  std::vector<double> clicks;
  for (std::size_t i = 0; i < leaves.size() && clicks.size() < 20; i += leaves.size() / 20 + 1) {
    tree->scrollTo(tree->Model()->IndexOf(leaves[i]));
    QApplication::processEvents();
    const QPoint box = tree->CheckBoxRect(leaves[i]).center();
    clock.restart();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, box);
    window->ListBox1()->viewport()->repaint();
    QApplication::processEvents();
    clicks.push_back(Milliseconds(clock));
  }
  const double click = Median(clicks);
  std::printf("check-box click to repainted preview: median %.1f ms, worst %.1f ms (%zu clicks)\n",
              click, clicks.empty() ? 0.0 : *std::max_element(clicks.begin(), clicks.end()),
              clicks.size());

  clock.restart();
  window->close();
  window.reset();
  QApplication::processEvents();
  const double closing = Milliseconds(clock);
  std::printf("close to window and tree gone: %.0f ms\n", closing);

  const bool ok = preview <= 1.5 * batch && click <= 50 && closing <= 300;
  std::printf("targets (preview <= 1.5x batch, click <= 50 ms, close <= 300 ms): %s\n",
              ok ? "met" : "NOT met");
  std::printf("memory <= 2x batch peak: %s resident, %s anonymous\n",
              resident <= 2 * batchPeak ? "met" : "NOT met",
              anonymous <= 2 * batchPeak ? "met" : "NOT met");

  std::error_code ec;
  fs::remove_all(scratch, ec);
  return 0;
}
