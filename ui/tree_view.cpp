#include "ui/tree_view.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QStyleOptionViewItem>

#include "ui/dir_tree_model.h"

namespace cartulon {

namespace {

// Highlights a selected item's text only, not the branch area before it.
class TextOnlySelectionStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == QStyle::SH_ItemView_ShowDecorationSelected) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

FileTreeView::FileTreeView(QWidget* parent) : QTreeView(parent) {
  setObjectName(QStringLiteral("tvFileList"));
  model_ = new DirTreeModel(this);
  setModel(model_);
  setHeaderHidden(true);
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  setIndentation(19);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* style = new TextOnlySelectionStyle;
  style->setParent(this);
  setStyle(style);

  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
  checkAllAction_ = popupMenu_->addAction(QStringLiteral("Check All"));
  uncheckAllAction_ = popupMenu_->addAction(QStringLiteral("Uncheck All"));
  connect(checkAllAction_, &QAction::triggered, this, [this] { emit checkAllRequested(); });
  connect(uncheckAllAction_, &QAction::triggered, this, [this] { emit uncheckAllRequested(); });
}

DirNode* FileTreeView::CurrentNode() const { return DirTreeModel::NodeOf(currentIndex()); }

void FileTreeView::SetCurrentNode(const DirNode* node) {
  quiet_ = true;
  const QModelIndex index = model_->IndexOf(node);
  setCurrentIndex(index);
  if (index.isValid()) scrollTo(index);
  quiet_ = false;
}

void FileTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  if (!quiet_) emit currentNodeChanged(DirTreeModel::NodeOf(current));
}

void FileTreeView::ExpandToLevel(int level) {
  // Deeper items opened before are closed first; the view then opens the
  // levels above in one pass.
  collapseAll();
  if (level > 0) expandToDepth(level - 1);
}

QRect FileTreeView::CheckBoxRect(const DirNode* node) const {
  const QModelIndex index = model_->IndexOf(node);
  if (!index.isValid()) return {};
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(index);
  option.features |= QStyleOptionViewItem::HasCheckIndicator;
  option.index = index;
  return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
}

void FileTreeView::OpenMenuAt(const QPoint& viewportPoint) {
  popupMenu_->popup(viewport()->mapToGlobal(viewportPoint));
}

bool FileTreeView::OnCheckBox(const QModelIndex& index, const QPoint& point) const {
  return index.isValid() && CheckBoxRect(DirTreeModel::NodeOf(index)).contains(point);
}

void FileTreeView::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  const QModelIndex index = indexAt(point);
  // A press on a check box selects its item and toggles it at once; the
  // second press of a double click is one more toggle.
  boxPressed_ = event->button() == Qt::LeftButton && OnCheckBox(index, point);
  if (boxPressed_) {
    setCurrentIndex(index);
    model_->setData(index, {}, Qt::CheckStateRole);
    event->accept();
    return;
  }
  if (event->button() == Qt::RightButton) {
    // The item under the mouse becomes current, then the menu opens there.
    if (!index.isValid()) return;
    setCurrentIndex(index);
    OpenMenuAt(point);
    return;
  }
  QTreeView::mousePressEvent(event);
}

void FileTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  const QModelIndex index = indexAt(point);
  boxPressed_ = event->button() == Qt::LeftButton && OnCheckBox(index, point);
  if (boxPressed_) {
    model_->setData(index, {}, Qt::CheckStateRole);
    event->accept();
    return;
  }
  QTreeView::mouseDoubleClickEvent(event);
}

void FileTreeView::mouseReleaseEvent(QMouseEvent* event) {
  // The press did all there is to do.
  if (boxPressed_) {
    boxPressed_ = false;
    event->accept();
    return;
  }
  QTreeView::mouseReleaseEvent(event);
}

void FileTreeView::keyPressEvent(QKeyEvent* event) {
  const bool menuKey = event->key() == Qt::Key_Menu ||
                       (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
  if (menuKey) {
    const QModelIndex index = currentIndex();
    if (index.isValid()) OpenMenuAt(visualRect(index).center());
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

void FileTreeView::contextMenuEvent(QContextMenuEvent* event) {
  // The mouse opens the menu on its press, the keyboard on its key.
  event->accept();
}

}  // namespace cartulon
