// The tree and the entry-line preview follow each other's selection; the
// selected package is shown in the detail fields.
#include "output/preview_map.h"
#include "ui/detail_panel.h"
#include "ui/main_window.h"
#include "ui/preview_view.h"
#include "ui/tree_view.h"

namespace cartulon {

namespace {

// The node of preview line `line`: null for a blank line, for no line and
// for a line past the end of the map (a save may have changed the count).
DirNode* LineNode(const PreviewMap& map, int line) {
  if (line < 0 || line >= static_cast<int>(map.LineNodes.size())) return nullptr;
  return map.LineNodes[static_cast<std::size_t>(line)];
}

}  // namespace

void MainWindow::TreeSelectionChanged(QTreeWidgetItem* item) {
  if (item == nullptr) {
    // The tree is being emptied for a new analysis.
    panDetail_->ShowRecord(nullptr, masters_);
    return;
  }
  DirNode* node = FileTreeView::NodeOf(item);
  panDetail_->ShowRecord(node != nullptr ? node->Data.get() : nullptr, masters_);
  SelectLineOfItem();
}

void MainWindow::SelectLineOfItem() {
  const DirNode* selected = FileTreeView::NodeOf(tvFileList_->currentItem());
  listBox1_->SelectLine(preview_.map.SelectLineOfItem(selected));
}

void MainWindow::ListBox1Click() {
  DirNode* node = LineNode(preview_.map, listBox1_->SelectedLine());
  QTreeWidgetItem* item = FileTreeView::ItemOf(node);
  if (item == nullptr) return;
  if (tvFileList_->currentItem() != item) tvFileList_->setCurrentItem(item);
}

void MainWindow::ListBox1MouseDown() {
  ListBox1Click();
  // The selection may have moved to the item's first line.
  const int line = listBox1_->SelectedLine();
  DirNode* node = LineNode(preview_.map, line);
  if (node == nullptr) return;
  if (line > 0 && LineNode(preview_.map, line - 1) == node) return;
  DirNode* selected = FileTreeView::NodeOf(tvFileList_->currentItem());
  if (selected != nullptr && selected->Data != nullptr && selected->Data->Enabled) {
    panDetail_->ShowRecord(selected->Data.get(), masters_);
  }
}

// The double click only selects the line's item, as a click does.
void MainWindow::ListBox1DblClick() { ListBox1Click(); }

}  // namespace cartulon
