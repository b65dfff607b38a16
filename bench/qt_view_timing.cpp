// Timing of the main window's view side on large synthetic discs:
//   1. binding a 20,000-folder analysed tree to the tree view and building
//      its preview (the after-analysis step: bind, check images, expand,
//      Generate, Compact, Generate);
//   2. one check-box click on a disc whose list has about 5,000 lines, from
//      the click to the regenerated, repainted preview.
// Targets: binding under a second, a click under 50 ms.
//
// Usage: qt_view_timing [--generate-only DIR]
//   --generate-only DIR  writes the 20,000-folder disc to DIR and ends (a
//                        disc for trying the program on by hand).
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gen_disc.h"
#include "model/dir_structure.h"
#include "ui/dialogs.h"
#include "platform/settings_store.h"
#include "shell/analysis.h"
#include "ui/program.h"
#include "ui/select_scd.h"
#include "ui/startup.h"
#include "ui/main_window.h"
#include "ui/preview_view.h"
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

// Answers the selection dialog with Preview as soon as it shows.
void AnswerPreview() {
  auto* timer = new QTimer(qApp);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, timer, [timer] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = dynamic_cast<SCDSelector*>(widget); dialog && dialog->isVisible()) {
        timer->stop();
        timer->deleteLater();
        dialog->Button2()->click();
        return;
      }
    }
  });
  timer->start();
}

struct Disc {
  std::string root;
  bench::DiscStats stats;
};

Disc Generate(const fs::path& where, const bench::DiscShape& shape) {
  Disc disc;
  disc.root = where.string();
  disc.stats = bench::GenerateDisc(disc.root, shape);
  return disc;
}

// A checked leaf and an unchecked one that has a line of its own when
// checked: the two clicks the bench times.
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

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--generate-only") {
    const Disc disc = Generate(argv[2], {});
    std::printf("wrote %zu folders, %zu packages to %s\n", disc.stats.folders,
                disc.stats.packages, disc.root.c_str());
    return 0;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  CartulonApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ApplyDesignFont(app);

  const fs::path scratch = fs::temp_directory_path() /
                           ("cartulon-view-timing-" + std::to_string(QCoreApplication::applicationPid()));
  fs::create_directories(scratch / "work");
  fs::create_directories(scratch / "small/Bin");
  {
    std::FILE* master = std::fopen((scratch / "small/Bin/Zscdinst.ini").string().c_str(), "wb");
    std::fputs("[ConditionTable]\r\nNumber=0\r\n", master);
    std::fclose(master);
  }

  QElapsedTimer clock;
  clock.start();
  const Disc big = Generate(scratch / "big", {20000, 2000, 6, 20240611});
  std::printf("generated %zu folders (%zu packages) in %.0f ms\n", big.stats.folders,
              big.stats.packages, Milliseconds(clock));

  SilentDialogs dialogs;
  SettingsStore store({(scratch / "store.ini").string(), (scratch / "store.ini").string()});
  ProgramControl control;
  ProgramServices services{dialogs, store, control};
  StartupEnvironment env;
  env.programFolder = (scratch / "small/Bin").string();
  env.workingFolder = (scratch / "work").string();
  env.today = {3, 1, 2024};

  AnswerPreview();
  MainWindow window(env, services);
  if (!window.isVisible()) {
    std::fprintf(stderr, "the main window did not open\n");
    return 1;
  }

  // The disc becomes the window's disc, as "SCD Path..." makes it.
  clock.restart();
  window.StartAnalysis(big.root, 6);
  std::printf("SCD Path... end to end (analysis, bind, preview): %.0f ms\n", Milliseconds(clock));

  NullMessageSink quiet;
  clock.restart();
  std::unique_ptr<DirStructure> tree =
      RunAnalysis(big.root, 6, (scratch / "work" / "FileList_Exp.ini").string(), quiet);
  const double analysis = Milliseconds(clock);
  const std::size_t nodes = tree->NodeCount();

  clock.restart();
  window.AfterAnalysis(std::move(tree));
  const double afterAnalysis = Milliseconds(clock);
  QApplication::processEvents();
  const std::size_t bigLines = window.ListBox1()->Lines().size();

  // The view alone: binding and check images.
  FileTreeView view;
  view.resize(191, 600);
  view.show();
  std::unique_ptr<DirStructure> second =
      RunAnalysis(big.root, 6, (scratch / "work" / "FileList_Exp.ini").string(), quiet);
  clock.restart();
  view.BindTree(*second);
  view.SyncStateImages(view.FirstItem());
  view.ExpandToLevel(view.FirstItem(), 2);
  QApplication::processEvents();
  const double bindOnly = Milliseconds(clock);

  std::printf("analysis of %zu nodes (worker thread): %.0f ms\n", nodes, analysis);
  std::printf("bind + check images + expand, view alone: %.0f ms\n", bindOnly);
  std::printf("after-analysis step (bind, expand, Generate, Compact, Generate): %.0f ms, %zu lines\n",
              afterAnalysis, bigLines);

  // A disc whose list has about 5,000 lines: a smaller disc, all checked.
  const Disc clickDisc = Generate(scratch / "clicks", {4700, 470, 6, 7});
  window.StartAnalysis(clickDisc.root, 6);
  FileTreeView* treeView = window.tvFileList();
  treeView->setCurrentItem(treeView->FirstItem());
  treeView->CheckAll();
  const std::size_t clickLines = window.ListBox1()->Lines().size();

  std::vector<DirNode*> leaves = Leaves(window.CurrentTree()->RootDir);
  std::vector<double> clicks;
  for (std::size_t i = 0; i < leaves.size() && clicks.size() < 20; i += leaves.size() / 20 + 1) {
    QTreeWidgetItem* item = FileTreeView::ItemOf(leaves[i]);
    treeView->scrollToItem(item);
    QApplication::processEvents();
    const QPoint box = treeView->StateImageRect(item).center();
    clock.restart();
    QTest::mouseClick(treeView->viewport(), Qt::LeftButton, {}, box);
    window.ListBox1()->viewport()->repaint();
    QApplication::processEvents();
    clicks.push_back(Milliseconds(clock));
  }
  std::sort(clicks.begin(), clicks.end());
  const double median = clicks.empty() ? 0 : clicks[clicks.size() / 2];
  const double worst = clicks.empty() ? 0 : clicks.back();
  std::printf("check-box click to repainted preview, list of %zu lines: median %.1f ms, worst %.1f ms (%zu clicks)\n",
              clickLines, median, worst, clicks.size());

  const bool ok = afterAnalysis < 1000 && median < 50;
  std::printf("targets (binding < 1000 ms, click < 50 ms): %s\n", ok ? "met" : "NOT met");

  std::error_code ec;
  fs::remove_all(scratch, ec);
  return 0;
}
