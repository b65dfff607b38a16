// The tree view and its check boxes: binding, clicks on the state images,
// the pop-up menu, the Expand level.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "gui_test_support.h"
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
    view_.resize(300, 400);
    view_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&view_));
    view_.BindTree(*tree_);
    view_.SyncStateImages(view_.FirstItem());
    view_.expandAll();
  }

  DirNode* Node(const std::string& relative) const {
    return tree_->FindNode(dir_.Path("R/" + relative));
  }
  QTreeWidgetItem* Item(const std::string& relative) const {
    return FileTreeView::ItemOf(relative.empty() ? tree_->RootDir : Node(relative));
  }
  void ClickBox(const std::string& relative, Qt::MouseButton button = Qt::LeftButton) {
    QTreeWidgetItem* item = Item(relative);
    view_.scrollToItem(item);
    QTest::mouseClick(view_.viewport(), button, {}, view_.StateImageRect(item).center());
  }
  void SetAll(bool checked) { DirStructure::SetCheckedSubtree(tree_->RootDir, checked); }
  bool Checked(const std::string& relative) const {
    return (relative.empty() ? tree_->RootDir : Node(relative))->Checked;
  }
  int Image(const std::string& relative) const { return FileTreeView::StateImage(Item(relative)); }

  TempDir dir_;
  NullMessageSink sink_;
  std::unique_ptr<DirStructure> tree_;
  FileTreeView view_;
};

TEST_F(TreeViewTest, BindingShowsEveryNodeInDisplayOrderWithItsName) {
  QTreeWidgetItem* root = view_.FirstItem();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(view_.topLevelItemCount(), 1);
  EXPECT_EQ(root->text(0), QStringLiteral("R"));
  ASSERT_EQ(root->childCount(), 3);
  // Case-insensitive order on the root's children.
  EXPECT_EQ(root->child(0)->text(0), QStringLiteral("bin"));
  EXPECT_EQ(root->child(1)->text(0), QStringLiteral("Drivers"));
  EXPECT_EQ(root->child(2)->text(0), QStringLiteral("Zeta"));
  EXPECT_EQ(root->child(1)->child(0)->text(0), QStringLiteral("Audio"));
  EXPECT_EQ(root->child(1)->child(1)->text(0), QStringLiteral("LAN"));
  EXPECT_EQ(view_.indentation(), 19);
  // Both ways bound.
  EXPECT_EQ(FileTreeView::NodeOf(Item("Drivers/Audio/Codec")), Node("Drivers/Audio/Codec"));
  EXPECT_EQ(FileTreeView::Level(Item("Drivers/Audio/Codec")), 3);
}

TEST_F(TreeViewTest, FillGivesStateImageOneAndSyncFollowsChecked) {
  FileTreeView fresh;
  Node("Zeta")->Checked = false;
  fresh.BindTree(*tree_);
  EXPECT_EQ(FileTreeView::StateImage(fresh.FirstItem()), 0);  // the root gets none yet
  EXPECT_EQ(FileTreeView::StateImage(fresh.FirstItem()->child(1)), kStateUnchecked);
  fresh.SyncStateImages(fresh.FirstItem());
  EXPECT_EQ(FileTreeView::StateImage(fresh.FirstItem()), kStateChecked);
  EXPECT_EQ(FileTreeView::StateImage(fresh.FirstItem()->child(2)), kStateUnchecked);
  EXPECT_EQ(FileTreeView::StateImage(fresh.FirstItem()->child(1)), kStateChecked);
}

TEST_F(TreeViewTest, ClickOnUncheckedLeafChecksItAndEveryAncestorButNotItsChildren) {
  SetAll(false);
  view_.SyncStateImages(view_.FirstItem());
  QSignalSpy changed(&view_, &FileTreeView::checkStatesChanged);
  ClickBox("Drivers/Audio");
  EXPECT_EQ(changed.count(), 1);
  EXPECT_TRUE(Checked("Drivers/Audio"));
  EXPECT_TRUE(Checked("Drivers"));
  EXPECT_TRUE(Checked(""));
  EXPECT_FALSE(Checked("Drivers/Audio/Codec"));
  EXPECT_FALSE(Checked("Drivers/LAN"));
  EXPECT_EQ(Image("Drivers/Audio"), kStateChecked);
  EXPECT_EQ(Image("Drivers"), kStateChecked);
  EXPECT_EQ(Image(""), kStateChecked);
  EXPECT_EQ(Image("Drivers/Audio/Codec"), kStateUnchecked);
  // The click also selected the item.
  EXPECT_EQ(view_.currentItem(), Item("Drivers/Audio"));
}

TEST_F(TreeViewTest, CheckedItemWithCheckedChildIgnoresTheClickUntilTheChildIsUnchecked) {
  QSignalSpy changed(&view_, &FileTreeView::checkStatesChanged);
  ClickBox("Drivers/Audio");  // Codec is checked
  EXPECT_EQ(changed.count(), 0);
  EXPECT_TRUE(Checked("Drivers/Audio"));
  EXPECT_EQ(Image("Drivers/Audio"), kStateChecked);

  ClickBox("Drivers/Audio/Codec");
  EXPECT_EQ(changed.count(), 1);
  EXPECT_FALSE(Checked("Drivers/Audio/Codec"));
  // Unchecking leaves the ancestors as they were.
  EXPECT_TRUE(Checked("Drivers/Audio"));

  ClickBox("Drivers/Audio");
  EXPECT_EQ(changed.count(), 2);
  EXPECT_FALSE(Checked("Drivers/Audio"));
  EXPECT_EQ(Image("Drivers/Audio"), kStateUnchecked);
  // Grandchildren do not hold a folder: Drivers has LAN checked, so it stays.
  ClickBox("Drivers");
  EXPECT_TRUE(Checked("Drivers"));
  ClickBox("Drivers/LAN");
  ClickBox("Drivers");
  EXPECT_FALSE(Checked("Drivers"));
}

TEST_F(TreeViewTest, ClicksBesideTheStateImageOnlySelect) {
  QSignalSpy changed(&view_, &FileTreeView::checkStatesChanged);
  QTreeWidgetItem* lan = Item("Drivers/LAN");
  const QRect box = view_.StateImageRect(lan);
  // On the item's text.
  QTest::mouseClick(view_.viewport(), Qt::LeftButton, {}, box.center() + QPoint(30, 0));
  EXPECT_EQ(view_.currentItem(), lan);
  EXPECT_TRUE(Checked("Drivers/LAN"));
  // On empty space below the items.
  QTest::mouseClick(view_.viewport(), Qt::LeftButton, {}, QPoint(10, view_.viewport()->height() - 3));
  EXPECT_EQ(changed.count(), 0);
  EXPECT_TRUE(Checked("Drivers/LAN"));
}

TEST_F(TreeViewTest, DoubleClickOnTheStateImageCountsAsTwoClicks) {
  QSignalSpy changed(&view_, &FileTreeView::checkStatesChanged);
  QTreeWidgetItem* zeta = Item("Zeta");
  const QPoint box = view_.StateImageRect(zeta).center();
  QTest::mouseClick(view_.viewport(), Qt::LeftButton, {}, box);
  EXPECT_FALSE(Checked("Zeta"));
  QTest::mouseDClick(view_.viewport(), Qt::LeftButton, {}, box);
  EXPECT_TRUE(Checked("Zeta"));
  EXPECT_EQ(changed.count(), 2);
}

TEST_F(TreeViewTest, RightClickSelectsAndOpensTheMenuWhoseEntriesWorkOnTheSubtree) {
  QTreeWidgetItem* drivers = Item("Drivers");
  QTest::mouseClick(view_.viewport(), Qt::RightButton, {},
                    view_.visualItemRect(drivers).center());
  EXPECT_EQ(view_.currentItem(), drivers);
  EXPECT_TRUE(gui_test::WaitFor([&] { return view_.PopupMenu()->isVisible(); }, 5000));
  ASSERT_EQ(view_.PopupMenu()->actions().size(), 2);
  EXPECT_EQ(view_.PopupMenu()->actions()[0]->text(), QStringLiteral("Check All"));
  EXPECT_EQ(view_.PopupMenu()->actions()[1]->text(), QStringLiteral("Uncheck All"));

  QSignalSpy changed(&view_, &FileTreeView::checkStatesChanged);
  QMenu* menu = view_.PopupMenu();
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(view_.UncheckAllAction()).center());
  EXPECT_EQ(changed.count(), 1);
  // The subtree is unchecked whatever its children; the ancestors stay.
  EXPECT_FALSE(Checked("Drivers"));
  EXPECT_FALSE(Checked("Drivers/Audio/Codec"));
  EXPECT_FALSE(Checked("Drivers/LAN"));
  EXPECT_TRUE(Checked(""));
  EXPECT_EQ(Image("Drivers/Audio/Codec"), kStateUnchecked);
}

TEST_F(TreeViewTest, UncheckAllOnTheRootAndCheckAllOnALeaf) {
  view_.setCurrentItem(view_.FirstItem());
  view_.UncheckAll();
  for (const char* path : {"", "bin", "Drivers", "Drivers/Audio", "Drivers/Audio/Codec",
                           "Drivers/LAN", "Zeta"}) {
    EXPECT_FALSE(Checked(path)) << path;
    EXPECT_EQ(Image(path), kStateUnchecked) << path;
  }
  view_.setCurrentItem(Item("Drivers/Audio/Codec"));
  view_.CheckAll();
  for (const char* path : {"", "Drivers", "Drivers/Audio", "Drivers/Audio/Codec"}) {
    EXPECT_TRUE(Checked(path)) << path;
    EXPECT_EQ(Image(path), kStateChecked) << path;
  }
  for (const char* path : {"bin", "Drivers/LAN", "Zeta"}) EXPECT_FALSE(Checked(path)) << path;
}

TEST_F(TreeViewTest, WithoutAnItemTheTreeCommandsDoNothing) {
  QSignalSpy changed(&view_, &FileTreeView::checkStatesChanged);
  view_.setCurrentItem(nullptr);
  view_.CheckAll();
  view_.UncheckAll();
  EXPECT_EQ(changed.count(), 0);
  EXPECT_TRUE(Checked("Zeta"));
  // A right click on empty space opens no menu.
  QTest::mouseClick(view_.viewport(), Qt::RightButton, {}, QPoint(10, view_.viewport()->height() - 3));
  EXPECT_FALSE(view_.PopupMenu()->isVisible());
}

TEST_F(TreeViewTest, ExpandToLevelOpensExactlyTheItemsAboveTheLevel) {
  auto expandedLevels = [&] {
    std::vector<std::pair<int, bool>> seen;
    std::vector<QTreeWidgetItem*> pending{view_.FirstItem()};
    while (!pending.empty()) {
      QTreeWidgetItem* item = pending.back();
      pending.pop_back();
      if (item->childCount() > 0) seen.emplace_back(FileTreeView::Level(item), item->isExpanded());
      for (int i = 0; i < item->childCount(); ++i) pending.push_back(item->child(i));
    }
    return seen;
  };
  for (int level : {0, 1, 2, 3, 8}) {
    view_.ExpandToLevel(view_.FirstItem(), level);
    for (const auto& [itemLevel, expanded] : expandedLevels()) {
      EXPECT_EQ(expanded, itemLevel < level) << "level " << level << " item level " << itemLevel;
    }
  }
  // On a subtree only that subtree changes.
  view_.ExpandToLevel(view_.FirstItem(), 0);
  view_.ExpandToLevel(Item("Drivers"), 3);
  EXPECT_FALSE(view_.FirstItem()->isExpanded());
  EXPECT_TRUE(Item("Drivers")->isExpanded());
  EXPECT_TRUE(Item("Drivers/Audio")->isExpanded());
}

TEST_F(TreeViewTest, RebindingReplacesEveryItem) {
  TempDir other;
  other.MakeFolder("S/Only");
  DirStructure second(other.Path("S"), 6, sink_);
  view_.BindTree(second);
  ASSERT_EQ(view_.topLevelItemCount(), 1);
  EXPECT_EQ(view_.FirstItem()->text(0), QStringLiteral("S"));
  ASSERT_EQ(view_.FirstItem()->childCount(), 1);
  EXPECT_EQ(view_.FirstItem()->child(0)->text(0), QStringLiteral("Only"));
}

TEST(TreeViewRoot, AFileSystemRootShowsAnItemWithEmptyText) {
  NullMessageSink sink;
  DirStructure tree("/", 0, sink);
  ASSERT_NE(tree.RootDir, nullptr);
  FileTreeView view;
  view.BindTree(tree);
  ASSERT_NE(view.FirstItem(), nullptr);
  EXPECT_TRUE(view.FirstItem()->text(0).isEmpty());
  EXPECT_EQ(view.FirstItem()->childCount(), 0);
}

TEST(StateImages, ThreeImagesOfSixteenPixelsThatDiffer) {
  const auto& images = StateImages();
  for (const QPixmap& image : images) EXPECT_EQ(image.size(), QSize(16, 16));
  EXPECT_NE(images[1].toImage(), images[2].toImage());
  EXPECT_NE(images[0].toImage(), images[1].toImage());
}

}  // namespace
}  // namespace cartulon
