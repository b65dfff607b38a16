// The Qt tree over the analysed tree: the item model (checked by Qt's own
// model tester), the check boxes as the mouse and the keyboard reach them,
// the pop-up menu and the Expand level. The check rules are wired as the
// session wires them: a toggle goes to the rule, the changed nodes back to
// the model.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "gui_test_support.h"
#include "model/check_states.h"
#include "ui/dir_tree_model.h"
#include "ui/tree_view.h"

namespace cartulon {
namespace {

// Root R: Drivers (Audio (Codec), LAN), bin, Zeta. Bound to a shown view.
class TreeViewTest : public ::testing::Test {
 protected:
  TreeViewTest() {
    for (const char* folder : {"R/Drivers/LAN", "R/Drivers/Audio/Codec", "R/Zeta", "R/bin"}) {
      dir_.MakeFolder(folder);
    }
    tree_ = std::make_unique<DirStructure>(dir_.Path("R"), 6, sink_);
    DirStructure::SortChildren(tree_->RootDir);
    model_ = view_.Model();
    tester_ = std::make_unique<QAbstractItemModelTester>(
        model_, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model_->SetToggleHandler([this](DirNode* node) {
      ++toggles_;
      model_->NodesChanged(ToggleCheck(node));
    });
    QObject::connect(&view_, &FileTreeView::checkAllRequested,
                     [this] { model_->NodesChanged(CheckAll(view_.CurrentNode())); });
    QObject::connect(&view_, &FileTreeView::uncheckAllRequested,
                     [this] { model_->NodesChanged(UncheckAll(view_.CurrentNode())); });
    view_.resize(300, 400);
    view_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&view_));
    model_->SetTree(tree_.get());
    view_.expandAll();
  }

  DirNode* Node(const std::string& relative) const {
    return relative.empty() ? tree_->RootDir : tree_->FindNode(dir_.Path("R/" + relative));
  }
  QModelIndex Index(const std::string& relative) const { return model_->IndexOf(Node(relative)); }
  void ClickBox(const std::string& relative) {
    view_.scrollTo(Index(relative));
    QTest::mouseClick(view_.viewport(), Qt::LeftButton, {},
                      view_.CheckBoxRect(Node(relative)).center());
  }
  bool Checked(const std::string& relative) const { return Node(relative)->Checked; }
  // What the view draws: the model's check state.
  bool Shown(const std::string& relative) const {
    return Index(relative).data(Qt::CheckStateRole).toInt() == Qt::Checked;
  }

  TempDir dir_;
  NullMessageSink sink_;
  std::unique_ptr<DirStructure> tree_;
  FileTreeView view_;
  DirTreeModel* model_ = nullptr;
  std::unique_ptr<QAbstractItemModelTester> tester_;
  int toggles_ = 0;
};

TEST_F(TreeViewTest, TheModelShowsEveryNodeInDisplayOrderWithItsNameAndCheckState) {
  ASSERT_EQ(model_->rowCount(), 1);
  const QModelIndex root = model_->index(0, 0);
  EXPECT_EQ(root.data().toString(), QStringLiteral("R"));
  ASSERT_EQ(model_->rowCount(root), 3);
  const QStringList names{model_->index(0, 0, root).data().toString(),
                          model_->index(1, 0, root).data().toString(),
                          model_->index(2, 0, root).data().toString()};
  EXPECT_EQ(names, (QStringList{"bin", "Drivers", "Zeta"}));
  // Index and node are the same thing both ways, also deep down.
  const QModelIndex codec = Index("Drivers/Audio/Codec");
  EXPECT_EQ(DirTreeModel::NodeOf(codec), Node("Drivers/Audio/Codec"));
  EXPECT_EQ(codec.parent().parent(), Index("Drivers"));
  EXPECT_EQ(view_.indentation(), 19);
  Node("Zeta")->Checked = false;
  EXPECT_FALSE(Shown("Zeta"));
  EXPECT_TRUE(Shown(""));

  // Rebinding replaces every row; an empty root name shows as empty text.
  TempDir other;
  other.MakeFolder("S/Only");
  DirStructure second(other.Path("S"), 6, sink_);
  model_->SetTree(&second);
  EXPECT_EQ(model_->index(0, 0).data().toString(), QStringLiteral("S"));
  EXPECT_EQ(model_->rowCount(model_->index(0, 0)), 1);
  model_->SetTree(nullptr);
  EXPECT_EQ(model_->rowCount(), 0);
  model_->SetTree(tree_.get());
}

TEST_F(TreeViewTest, CheckBoxClicksFollowTheRulesAndSelect) {
  DirStructure::SetCheckedSubtree(tree_->RootDir, false);
  model_->NodesChanged({Node(""), Node("Drivers"), Node("Drivers/Audio")});
  QSignalSpy painted(model_, &QAbstractItemModel::dataChanged);

  // An unchecked folder: it and its ancestors, not its children.
  ClickBox("Drivers/Audio");
  EXPECT_TRUE(Checked("Drivers/Audio") && Checked("Drivers") && Checked(""));
  EXPECT_FALSE(Checked("Drivers/Audio/Codec") || Checked("Drivers/LAN"));
  EXPECT_TRUE(Shown("Drivers/Audio") && Shown("Drivers") && Shown(""));
  EXPECT_GE(painted.count(), 2);  // one notice per parent
  EXPECT_EQ(view_.CurrentNode(), Node("Drivers/Audio"));

  // A checked folder with a checked child refuses until the child goes.
  ClickBox("Drivers/Audio/Codec");
  ClickBox("Drivers/Audio");
  EXPECT_TRUE(Checked("Drivers/Audio"));
  ClickBox("Drivers/Audio/Codec");
  ClickBox("Drivers/Audio");
  EXPECT_FALSE(Checked("Drivers/Audio"));
  EXPECT_FALSE(Shown("Drivers/Audio"));
  EXPECT_TRUE(Checked("Drivers"));

  // Beside the box a click only selects.
  const int before = toggles_;
  QTest::mouseClick(view_.viewport(), Qt::LeftButton, {},
                    view_.CheckBoxRect(Node("Zeta")).center() + QPoint(40, 0));
  EXPECT_EQ(view_.CurrentNode(), Node("Zeta"));
  EXPECT_EQ(toggles_, before);
  // The second press of a double click is a click of its own.
  const QPoint box = view_.CheckBoxRect(Node("Zeta")).center();
  QTest::mouseClick(view_.viewport(), Qt::LeftButton, {}, box);
  EXPECT_TRUE(Checked("Zeta"));
  QTest::mouseDClick(view_.viewport(), Qt::LeftButton, {}, box);
  EXPECT_EQ(toggles_, before + 2);
  EXPECT_FALSE(Checked("Zeta"));

  // The space key toggles the current item.
  view_.setFocus();
  QTest::keyClick(&view_, Qt::Key_Space);
  EXPECT_TRUE(Checked("Zeta"));
  EXPECT_TRUE(Shown("Zeta"));
}

TEST_F(TreeViewTest, ThePopUpMenuOpensByMouseAndKeyAndWorksOnTheSubtree) {
  QMenu* menu = view_.PopupMenu();
  ASSERT_EQ(menu->actions().size(), 2);
  EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Check All"));
  EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Uncheck All"));

  // A right click selects the item under the mouse and opens the menu.
  QTest::mouseClick(view_.viewport(), Qt::RightButton, {},
                    view_.visualRect(Index("Drivers")).center());
  EXPECT_EQ(view_.CurrentNode(), Node("Drivers"));
  EXPECT_TRUE(gui_test::WaitFor([&] { return menu->isVisible(); }, 5000));
  QTest::mouseClick(menu, Qt::LeftButton, {},
                    menu->actionGeometry(view_.UncheckAllAction()).center());
  for (const char* path : {"Drivers", "Drivers/Audio", "Drivers/Audio/Codec", "Drivers/LAN"}) {
    EXPECT_FALSE(Checked(path)) << path;
    EXPECT_FALSE(Shown(path)) << path;
  }
  EXPECT_TRUE(Checked(""));

  // The Menu key and Shift+F10 open it on the current item; Check All on a
  // leaf checks the leaf and its ancestors only.
  for (const auto& [key, modifiers] :
       {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
    menu->hide();
    view_.setCurrentIndex(Index("Drivers/Audio/Codec"));
    view_.setFocus();
    QTest::keyClick(&view_, key, modifiers);
    EXPECT_TRUE(gui_test::WaitFor([&] { return menu->isVisible(); }, 5000));
  }
  QTest::mouseClick(menu, Qt::LeftButton, {},
                    menu->actionGeometry(view_.CheckAllAction()).center());
  EXPECT_TRUE(Checked("Drivers/Audio/Codec") && Checked("Drivers/Audio") && Checked("Drivers"));
  EXPECT_FALSE(Checked("Drivers/LAN"));
  EXPECT_TRUE(Shown("Drivers/Audio/Codec") && Shown("Drivers"));

  // A right click on empty space opens nothing.
  menu->hide();
  QTest::mouseClick(view_.viewport(), Qt::RightButton, {},
                    QPoint(10, view_.viewport()->height() - 3));
  EXPECT_FALSE(menu->isVisible());
}

TEST_F(TreeViewTest, ExpandToLevelOpensExactlyTheItemsAboveTheLevel) {
  for (int level : {0, 1, 2, 3, 8}) {
    view_.ExpandToLevel(level);
    std::vector<QModelIndex> pending{model_->index(0, 0)};
    while (!pending.empty()) {
      const QModelIndex index = pending.back();
      pending.pop_back();
      const int depth = DirTreeModel::NodeOf(index)->Depth;
      if (model_->rowCount(index) > 0) {
        EXPECT_EQ(view_.isExpanded(index), depth < level) << "level " << level << " at " << depth;
      }
      for (int row = 0; row < model_->rowCount(index); ++row) {
        pending.push_back(model_->index(row, 0, index));
      }
    }
  }
}

}  // namespace
}  // namespace cartulon
