#pragma once
// The tree view of the analysed disc (tvFileList): one item per node, each
// with a check box drawn as a state image, and the tree commands that keep
// the check boxes and the nodes' Checked flags in step.
#include <QPixmap>
#include <QTreeWidget>

#include <array>
#include <vector>

#include "model/dir_structure.h"
#include "shell/disc_check.h"

class QMenu;
class QAction;

namespace cartulon {

// State images: index 1 an empty check box, 2 a ticked one; 0 is a plain
// frame that no item uses.
inline constexpr int kStateUnchecked = 1;
inline constexpr int kStateChecked = 2;
inline constexpr int kStateImageSize = 16;

// The three 16 x 16 state images (ImageList1).
const std::array<QPixmap, 3>& StateImages();

class FileTreeView : public QTreeWidget {
  Q_OBJECT

 public:
  explicit FileTreeView(QWidget* parent = nullptr);

  // Clears all items and creates one per node of the tree (FillTreeView):
  // the root's children are put in display order first. The root item has
  // no state image and every other item state image 1 until
  // SyncStateImages.
  void BindTree(DirStructure& tree);

  QTreeWidgetItem* FirstItem() const { return topLevelItemCount() > 0 ? topLevelItem(0) : nullptr; }

  // Marks the items of the bound tree that findings of the disc check are
  // about: the platform's error icon (warning icon when none is an error)
  // and a tooltip listing them all.
  void ShowFindings(const std::vector<Finding>& findings);
  // The tooltip of an item's findings, one "severity code: message" per
  // line.
  static QString FindingsTip(const std::vector<const Finding*>& findings);

  // State image from Checked, for the item and everything below it.
  void SyncStateImages(QTreeWidgetItem* item);
  // Sets the state of the item (and with `recursive` its subtree); checking
  // also checks every ancestor. Unchecking never changes ancestors.
  void SetCheckState(QTreeWidgetItem* item, bool recursive, int state);
  // Exactly the items of the subtree whose level is below `level` end up
  // expanded.
  void ExpandToLevel(QTreeWidgetItem* item, int level);

  // A click on the item's state image: toggles unless that would uncheck
  // an item with a checked direct child. True when the state changed.
  bool ClickStateImage(QTreeWidgetItem* item);
  // The pop-up menu's entries, on the selected item; nothing without one.
  void CheckAll();
  void UncheckAll();

  static DirNode* NodeOf(const QTreeWidgetItem* item);
  static int StateImage(const QTreeWidgetItem* item);
  static QTreeWidgetItem* ItemOf(const DirNode* node);
  // Where the item's state image is drawn, in viewport coordinates.
  QRect StateImageRect(const QTreeWidgetItem* item) const;
  // The item level: 0 for the root item.
  static int Level(const QTreeWidgetItem* item);

  QMenu* PopupMenu() const { return popupMenu_; }
  QAction* CheckAllAction() const { return checkAllAction_; }
  QAction* UncheckAllAction() const { return uncheckAllAction_; }

 signals:
  // A click or a menu entry changed check states: the preview is rebuilt.
  void checkStatesChanged();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool OnStateImage(QTreeWidgetItem* item, const QPoint& point) const;
  void SetItemState(QTreeWidgetItem* item, int state);

  QMenu* popupMenu_ = nullptr;
  QAction* checkAllAction_ = nullptr;
  QAction* uncheckAllAction_ = nullptr;
};

}  // namespace cartulon
