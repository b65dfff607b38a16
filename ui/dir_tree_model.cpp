#include "ui/dir_tree_model.h"

#include <algorithm>
#include <climits>
#include <map>

#include "ui/dialogs.h"

namespace cartulon {

DirTreeModel::DirTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void DirTreeModel::SetTree(DirStructure* tree) {
  beginResetModel();
  tree_ = tree;
  rows_.clear();
  opened_.clear();
  marks_.clear();
  endResetModel();
}

DirNode* DirTreeModel::NodeOf(const QModelIndex& index) {
  return index.isValid() ? static_cast<DirNode*>(index.internalPointer()) : nullptr;
}

int DirTreeModel::RowOf(const DirNode* node) const {
  if (node->Parent == nullptr) return 0;
  const auto known = rows_.find(node);
  if (known != rows_.end()) return known->second;
  const std::vector<DirNode*>& siblings = node->Parent->Children;
  for (std::size_t i = 0; i < siblings.size(); ++i) rows_[siblings[i]] = static_cast<int>(i);
  return rows_[node];
}

QModelIndex DirTreeModel::IndexOf(const DirNode* node) const {
  if (node == nullptr || tree_ == nullptr) return {};
  return createIndex(RowOf(node), 0, const_cast<DirNode*>(node));
}

QModelIndex DirTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (!hasIndex(row, column, parent)) return {};
  if (!parent.isValid()) return createIndex(row, column, tree_->RootDir);
  const DirNode* up = NodeOf(parent);
  opened_.insert(up);
  return createIndex(row, column, up->Children[static_cast<std::size_t>(row)]);
}

QModelIndex DirTreeModel::parent(const QModelIndex& index) const {
  const DirNode* node = NodeOf(index);
  if (node == nullptr || node->Parent == nullptr) return {};
  return createIndex(RowOf(node->Parent), 0, node->Parent);
}

int DirTreeModel::rowCount(const QModelIndex& parent) const {
  if (tree_ == nullptr || tree_->RootDir == nullptr || parent.column() > 0) return 0;
  if (!parent.isValid()) return 1;
  return static_cast<int>(std::min<std::size_t>(NodeOf(parent)->Children.size(), INT_MAX));
}

int DirTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant DirTreeModel::data(const QModelIndex& index, int role) const {
  const DirNode* node = NodeOf(index);
  if (node == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole:
      // The root's name is the last part of the path the user chose, in
      // the file system's bytes; the names below it are the disc's.
      return node == tree_->RootDir ? DisplayText(node->Name) : DiscText(node->Name);
    case Qt::CheckStateRole:
      return node->Checked ? Qt::Checked : Qt::Unchecked;
    case Qt::DecorationRole:
    case Qt::ToolTipRole: {
      const auto mark = marks_.find(node);
      if (mark == marks_.end()) return {};
      if (role == Qt::DecorationRole) return mark->second.icon;
      return mark->second.tip;
    }
    default:
      return {};
  }
}

bool DirTreeModel::setData(const QModelIndex& index, const QVariant&, int role) {
  DirNode* node = NodeOf(index);
  if (node == nullptr || role != Qt::CheckStateRole || !toggle_) return false;
  // The rules decide; the changed nodes come back through NodesChanged.
  toggle_(node);
  return true;
}

Qt::ItemFlags DirTreeModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

void DirTreeModel::NodesChanged(const std::vector<DirNode*>& nodes, const QList<int>& roles) {
  if (tree_ == nullptr) return;
  // One notice per parent, over the span of its changed rows.
  std::map<const DirNode*, std::pair<int, int>> spans;
  for (const DirNode* node : nodes) {
    const DirNode* up = node->Parent;
    if (up != nullptr && opened_.count(up) == 0) continue;
    const int row = RowOf(node);
    auto [span, added] = spans.emplace(up, std::make_pair(row, row));
    if (!added) {
      span->second.first = std::min(span->second.first, row);
      span->second.second = std::max(span->second.second, row);
    }
  }
  const auto at = [this](const DirNode* up, int row) {
    DirNode* node = up != nullptr ? up->Children[static_cast<std::size_t>(row)] : tree_->RootDir;
    return createIndex(row, 0, node);
  };
  for (const auto& [up, span] : spans) emit dataChanged(at(up, span.first), at(up, span.second), roles);
}

void DirTreeModel::SetMarks(std::unordered_map<const DirNode*, Mark> marks) {
  std::vector<DirNode*> touched;
  for (const auto& entry : marks_) touched.push_back(const_cast<DirNode*>(entry.first));
  marks_ = std::move(marks);
  for (const auto& entry : marks_) touched.push_back(const_cast<DirNode*>(entry.first));
  if (touched.empty()) return;
  NodesChanged(touched, {Qt::DecorationRole, Qt::ToolTipRole});
}

}  // namespace cartulon
