// The step after each analysis, and "SCD Path...", which starts another.
#include <QLineEdit>
#include <QPushButton>

#include "shell/analysis.h"
#include "ui/browse_folder.h"
#include "ui/select_scd.h"
#include "ui/detail_panel.h"
#include "ui/main_window.h"
#include "ui/preview_view.h"
#include "ui/tree_view.h"

namespace cartulon {

void MainWindow::AfterAnalysis(std::unique_ptr<DirStructure> tree, std::vector<Finding> findings) {
  if (tree == nullptr || tree->RootDir == nullptr) {
    // Nothing was built (a negative depth, or an analysis that failed): the
    // tree shown stays. A run whose window never opened ends here.
    if (!isVisible()) services_.control.RequestEnd();
    return;
  }
  scdPath_ = analysisRoot_;
  // The preview's line map points into the tree being replaced.
  preview_.map.Clear();
  tvFileList_->BindTree(*tree);
  tree_ = std::move(tree);
  ShowFindings(std::move(findings));
  QTreeWidgetItem* first = tvFileList_->FirstItem();
  tvFileList_->SyncStateImages(first);

  int expandLevel = 0;
  if (!ParseIntSetting(edtExpand_->text(), &expandLevel)) {
    ReportNotAnInteger(edtExpand_->text());
    return;
  }
  tvFileList_->ExpandToLevel(first, expandLevel);

  // Generate, Compact (which generates again).
  const std::optional<ListContext> context = CurrentContext();
  if (!context) return;
  const bool complete = PrepareInitialPreview(*tree_, preview_, *context, messages_);
  tvFileList_->SyncStateImages(first);
  lbxFileTitle_->SetLines(preview_.titleLines);
  lbxFileTitle_->FitPreviewWidth();
  if (complete) ShowEntryLines();

  switch (RunChoice()) {
    case kResultPreview:
      showMaximized();
      break;
    case kResultTxt:
      // The run ends whether the user saved or declined.
      WriteFiles(false);
      break;
    case kResultTxtAndCsv:
      outputMode_ = 2;
      WriteFiles(true);
      break;
    default:
      break;
  }
}

void MainWindow::ChooseDiscFolder() {
  if (AnalysisRunning()) return;
  const std::string folder = BrowseForFolder(services_.dialogs, this, {}, {});
  if (folder.empty()) return;
  // The picked folder becomes the disc root only with the tree of its
  // analysis: a refused depth keeps the tree shown and the root it belongs to.
  int depth = 0;
  if (!ParseIntSetting(edtDepth_->text(), &depth)) {
    ReportNotAnInteger(edtDepth_->text());
    return;
  }
  StartAnalysis(folder, depth);
}

}  // namespace cartulon
