#pragma once
// The tree view of the analysed disc (tvFileList) over DirTreeModel: check
// boxes that act on the press (a double click's second press is another
// toggle), the pop-up menu with "Check All" and "Uncheck All", and the
// keyboard (space toggles the current item's check box through the model;
// the Menu key and Shift+F10 open the pop-up menu).
#include <QTreeView>

#include "model/dir_structure.h"

class QMenu;
class QAction;

namespace cartulon {

class DirTreeModel;

class FileTreeView : public QTreeView {
  Q_OBJECT

 public:
  explicit FileTreeView(QWidget* parent = nullptr);

  DirTreeModel* Model() const { return model_; }
  DirNode* CurrentNode() const;
  // Makes the node's item current without emitting currentNodeChanged.
  void SetCurrentNode(const DirNode* node);
  // Exactly the items whose level is below `level` end up expanded.
  void ExpandToLevel(int level);
  // Where the item's check box is drawn, in viewport coordinates.
  QRect CheckBoxRect(const DirNode* node) const;

  QMenu* PopupMenu() const { return popupMenu_; }
  QAction* CheckAllAction() const { return checkAllAction_; }
  QAction* UncheckAllAction() const { return uncheckAllAction_; }

 signals:
  void currentNodeChanged(DirNode* node);
  void checkAllRequested();
  void uncheckAllRequested();

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void OpenMenuAt(const QPoint& viewportPoint);
  bool OnCheckBox(const QModelIndex& index, const QPoint& point) const;

  DirTreeModel* model_ = nullptr;
  bool quiet_ = false;
  bool boxPressed_ = false;
  QMenu* popupMenu_ = nullptr;
  QAction* checkAllAction_ = nullptr;
  QAction* uncheckAllAction_ = nullptr;
};

}  // namespace cartulon
