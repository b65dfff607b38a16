#pragma once
// The analysed tree as a Qt item model, without a copy of it: an index's
// internal pointer is its DirNode, a node's Checked flag is its check state,
// and rows are found as the view asks for them. The model never changes a
// check state itself: a toggle the view asks for goes to `toggle`, which
// applies the check rules and reports the changed nodes through
// NodesChanged.
#include <QAbstractItemModel>
#include <QIcon>

#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/dir_structure.h"

namespace cartulon {

class DirTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  explicit DirTreeModel(QObject* parent = nullptr);

  // Shows `tree` (null: nothing); the tree must outlive the model's use of
  // it, until the next SetTree.
  void SetTree(DirStructure* tree);
  DirStructure* Tree() const { return tree_; }
  // A check-box toggle of the view (a click, a double click's second press,
  // the space key).
  void SetToggleHandler(std::function<void(DirNode*)> toggle) { toggle_ = std::move(toggle); }
  // These nodes' Checked flags (or the data of `roles`) changed.
  void NodesChanged(const std::vector<DirNode*>& nodes,
                    const QList<int>& roles = {Qt::CheckStateRole});
  // The check's marks: an icon and a tooltip per node; the others have none.
  struct Mark {
    QIcon icon;
    QString tip;
  };
  void SetMarks(std::unordered_map<const DirNode*, Mark> marks);

  static DirNode* NodeOf(const QModelIndex& index);
  QModelIndex IndexOf(const DirNode* node) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& index) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  // The node's row among its parent's children; the rows of all its
  // siblings are learnt in one pass the first time one is asked for.
  int RowOf(const DirNode* node) const;

  DirStructure* tree_ = nullptr;
  std::function<void(DirNode*)> toggle_;
  std::unordered_map<const DirNode*, Mark> marks_;
  mutable std::unordered_map<const DirNode*, int> rows_;
  // Parents whose children the view has asked for: only their rows can be
  // on screen, so only they get change notices.
  mutable std::unordered_set<const DirNode*> opened_;
};

}  // namespace cartulon
