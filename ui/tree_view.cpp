#include "ui/tree_view.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "shell/check_report.h"
#include "ui/dialogs.h"

namespace cartulon {

namespace {

constexpr int kStateRole = Qt::UserRole + 1;
constexpr int kNodeItemType = QTreeWidgetItem::UserType + 1;
constexpr int kImageGap = 3;

// An item that knows its node and keeps its state image itself, so that
// setting thousands of states does not go through the model one by one.
class NodeItem : public QTreeWidgetItem {
 public:
  explicit NodeItem(DirNode* node) : QTreeWidgetItem(kNodeItemType), node_(node) {
    setText(0, DisplayText(node->Name));
    node->TreeNode = this;
  }
  DirNode* Node() const { return node_; }
  int State() const { return state_; }
  void SetState(int state) { state_ = state; }
  // The check's mark: an icon and the tooltip that lists the findings.
  void SetFindings(QIcon icon, QString tip) {
    icon_ = std::move(icon);
    tip_ = std::move(tip);
  }

  QVariant data(int column, int role) const override {
    if (role == kStateRole && column == 0) return state_;
    if (column == 0 && !tip_.isEmpty()) {
      if (role == Qt::DecorationRole) return icon_;
      if (role == Qt::ToolTipRole) return tip_;
    }
    return QTreeWidgetItem::data(column, role);
  }

 private:
  DirNode* node_;
  int state_ = 0;
  QIcon icon_;
  QString tip_;
};

NodeItem* AsNodeItem(QTreeWidgetItem* item) {
  return item != nullptr && item->type() == kNodeItemType ? static_cast<NodeItem*>(item) : nullptr;
}
const NodeItem* AsNodeItem(const QTreeWidgetItem* item) {
  return item != nullptr && item->type() == kNodeItemType ? static_cast<const NodeItem*>(item)
                                                          : nullptr;
}

QRect ImageRectIn(const QRect& itemRect) {
  return QRect(itemRect.left() + 1, itemRect.top() + (itemRect.height() - kStateImageSize) / 2,
               kStateImageSize, kStateImageSize);
}

// Draws the state image in front of the item's text.
class StateImageDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const int state = index.data(kStateRole).toInt();
    QStyleOptionViewItem rest(option);
    if (state == kStateUnchecked || state == kStateChecked) {
      const QRect image = ImageRectIn(option.rect);
      painter->drawPixmap(image, StateImages()[static_cast<std::size_t>(state)]);
      rest.rect.setLeft(image.right() + 1 + kImageGap);
    }
    QStyledItemDelegate::paint(painter, rest, index);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += 1 + kStateImageSize + kImageGap;
    size.setHeight(std::max(size.height(), kStateImageSize + 2));
    return size;
  }
};

// Highlights a selected item's text only, not the branch area before it.
class TextOnlySelectionStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == QStyle::SH_ItemView_ShowDecorationSelected) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

QPixmap DrawStateImage(int index) {
  QPixmap pixmap(kStateImageSize, kStateImageSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QRectF box(2.5, 2.5, 11, 11);
  if (index == 0) {
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawRect(box);
    return pixmap;
  }
  painter.setPen(QPen(QColor(28, 81, 128), 1));
  painter.setBrush(Qt::white);
  painter.drawRect(box);
  if (index == kStateChecked) {
    QPen tick(QColor(33, 33, 33), 2);
    tick.setCapStyle(Qt::RoundCap);
    tick.setJoinStyle(Qt::RoundJoin);
    painter.setPen(tick);
    const QPointF points[] = {{4.8, 8.2}, {7.0, 10.6}, {11.4, 5.2}};
    painter.drawPolyline(points, 3);
  }
  return pixmap;
}

}  // namespace

const std::array<QPixmap, 3>& StateImages() {
  static const std::array<QPixmap, 3> images = {DrawStateImage(0), DrawStateImage(1),
                                                DrawStateImage(2)};
  return images;
}

FileTreeView::FileTreeView(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("tvFileList"));
  setColumnCount(1);
  setHeaderHidden(true);
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  setIndentation(19);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setItemDelegate(new StateImageDelegate(this));
  auto* style = new TextOnlySelectionStyle;
  style->setParent(this);
  setStyle(style);

  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
  checkAllAction_ = popupMenu_->addAction(QStringLiteral("Check All"));
  uncheckAllAction_ = popupMenu_->addAction(QStringLiteral("Uncheck All"));
  connect(checkAllAction_, &QAction::triggered, this, [this] { CheckAll(); });
  connect(uncheckAllAction_, &QAction::triggered, this, [this] { UncheckAll(); });
}

DirNode* FileTreeView::NodeOf(const QTreeWidgetItem* item) {
  const NodeItem* nodeItem = AsNodeItem(item);
  return nodeItem != nullptr ? nodeItem->Node() : nullptr;
}

int FileTreeView::StateImage(const QTreeWidgetItem* item) {
  const NodeItem* nodeItem = AsNodeItem(item);
  return nodeItem != nullptr ? nodeItem->State() : 0;
}

QTreeWidgetItem* FileTreeView::ItemOf(const DirNode* node) {
  return node != nullptr ? static_cast<QTreeWidgetItem*>(node->TreeNode) : nullptr;
}

int FileTreeView::Level(const QTreeWidgetItem* item) {
  int level = 0;
  for (const QTreeWidgetItem* up = item != nullptr ? item->parent() : nullptr; up != nullptr;
       up = up->parent()) {
    ++level;
  }
  return level;
}

void FileTreeView::BindTree(DirStructure& tree) {
  clear();
  DirNode* root = tree.RootDir;
  if (root == nullptr) return;
  auto* rootItem = new NodeItem(root);
  DirStructure::SortChildren(root);

  // The items are made before the view sees them, in one go.
  std::vector<std::pair<DirNode*, QTreeWidgetItem*>> pending{{root, rootItem}};
  while (!pending.empty()) {
    auto [node, item] = pending.back();
    pending.pop_back();
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(node->Children.size()));
    for (DirNode* child : node->Children) {
      auto* childItem = new NodeItem(child);
      childItem->SetState(kStateUnchecked);
      children.append(childItem);
      pending.emplace_back(child, childItem);
    }
    item->addChildren(children);
  }
  addTopLevelItem(rootItem);
}

QString FileTreeView::FindingsTip(const std::vector<const Finding*>& findings) {
  // Rich text, so that long messages wrap.
  QString tip = QStringLiteral("<qt>");
  for (std::size_t i = 0; i < findings.size(); ++i) {
    if (i > 0) tip += QStringLiteral("<br>");
    const Finding& finding = *findings[i];
    tip += (QString::fromLatin1(SeverityName(finding.severity)) + QLatin1Char(' ') +
            DisplayText(finding.code) + QStringLiteral(": ") + DisplayText(finding.message))
               .toHtmlEscaped();
  }
  return tip + QStringLiteral("</qt>");
}

void FileTreeView::ShowFindings(const std::vector<Finding>& findings) {
  std::unordered_map<const DirNode*, std::vector<const Finding*>> byNode;
  for (const Finding& finding : findings) {
    if (finding.node != nullptr) byNode[finding.node].push_back(&finding);
  }
  const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
  const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  for (const auto& [node, own] : byNode) {
    NodeItem* item = AsNodeItem(ItemOf(node));
    if (item == nullptr) continue;
    const bool anyError = std::any_of(own.begin(), own.end(), [](const Finding* f) {
      return f->severity == Severity::Error;
    });
    item->SetFindings(anyError ? errorIcon : warningIcon, FindingsTip(own));
  }
  viewport()->update();
}

void FileTreeView::SetItemState(QTreeWidgetItem* item, int state) {
  if (NodeItem* nodeItem = AsNodeItem(item)) nodeItem->SetState(state);
}

void FileTreeView::SyncStateImages(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  std::vector<QTreeWidgetItem*> pending{item};
  while (!pending.empty()) {
    QTreeWidgetItem* current = pending.back();
    pending.pop_back();
    if (NodeItem* nodeItem = AsNodeItem(current)) {
      nodeItem->SetState(nodeItem->Node()->Checked ? kStateChecked : kStateUnchecked);
    }
    for (int i = current->childCount() - 1; i >= 0; --i) pending.push_back(current->child(i));
  }
  viewport()->update();
}

void FileTreeView::SetCheckState(QTreeWidgetItem* item, bool recursive, int state) {
  if (item == nullptr) return;
  SetItemState(item, state);
  if (state == kStateChecked) {
    for (QTreeWidgetItem* up = item->parent(); up != nullptr; up = up->parent()) {
      if (DirNode* node = NodeOf(up)) node->Checked = true;
      SetItemState(up, kStateChecked);
    }
  }
  if (DirNode* node = NodeOf(item)) node->Checked = state == kStateChecked;
  if (recursive) {
    for (int i = 0; i < item->childCount(); ++i) SetCheckState(item->child(i), true, state);
  }
  viewport()->update();
}

void FileTreeView::ExpandToLevel(QTreeWidgetItem* item, int level) {
  if (item == nullptr) return;
  if (item->parent() == nullptr && topLevelItemCount() == 1) {
    // The whole tree: the view does this in one pass.
    if (level <= 0) {
      collapseAll();
    } else {
      expandToDepth(level - 1);
    }
    return;
  }
  std::vector<std::pair<QTreeWidgetItem*, int>> pending{{item, Level(item)}};
  while (!pending.empty()) {
    auto [current, currentLevel] = pending.back();
    pending.pop_back();
    current->setExpanded(currentLevel < level);
    for (int i = 0; i < current->childCount(); ++i) {
      pending.emplace_back(current->child(i), currentLevel + 1);
    }
  }
}

bool FileTreeView::ClickStateImage(QTreeWidgetItem* item) {
  DirNode* node = NodeOf(item);
  if (node == nullptr) return false;
  const int state = (StateImage(item) % 2) + 1;
  // A checked item is unchecked by a click only once its direct children
  // are all unchecked.
  if (state == kStateUnchecked && DirStructure::HasCheckedChild(node)) return false;
  SetCheckState(item, false, state);
  return true;
}

void FileTreeView::CheckAll() {
  QTreeWidgetItem* item = currentItem();
  if (item == nullptr) return;
  SetCheckState(item, true, kStateChecked);
  emit checkStatesChanged();
}

void FileTreeView::UncheckAll() {
  QTreeWidgetItem* item = currentItem();
  if (item == nullptr) return;
  SetCheckState(item, true, kStateUnchecked);
  emit checkStatesChanged();
}

QRect FileTreeView::StateImageRect(const QTreeWidgetItem* item) const {
  if (item == nullptr) return {};
  return ImageRectIn(visualItemRect(item));
}

bool FileTreeView::OnStateImage(QTreeWidgetItem* item, const QPoint& point) const {
  if (item == nullptr || StateImage(item) == 0) return false;
  return StateImageRect(item).contains(point);
}

void FileTreeView::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  QTreeWidgetItem* item = itemAt(point);
  if (event->button() == Qt::RightButton) {
    if (item == nullptr) return;
    setCurrentItem(item);
    popupMenu_->popup(viewport()->mapToGlobal(point));
    return;
  }
  QTreeWidget::mousePressEvent(event);
  if (OnStateImage(item, point)) {
    if (currentItem() != item) setCurrentItem(item);
    if (ClickStateImage(item)) emit checkStatesChanged();
  }
}

void FileTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  QTreeWidgetItem* item = itemAt(point);
  if (event->button() != Qt::RightButton && OnStateImage(item, point)) {
    // The second press of a double click on a check box is one more click.
    if (ClickStateImage(item)) emit checkStatesChanged();
    return;
  }
  QTreeWidget::mouseDoubleClickEvent(event);
}

}  // namespace cartulon
