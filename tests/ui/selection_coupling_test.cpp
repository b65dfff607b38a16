// The tree and the entry-line preview follow each other's selection, and
// the detail fields show the selected package.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "gui_test_support.h"
#include "ui/detail_panel.h"
#include "ui/main_window.h"
#include "ui/preview_view.h"
#include "ui/dir_tree_model.h"
#include "ui/tree_view.h"

namespace cartulon {
namespace {

using gui_test::PreviewSession;

class SelectionCoupling : public ::testing::Test {
 protected:
  SelectionCoupling() {
    if (gui_test::SampleDiscPath().empty()) return;
    session_ = std::make_unique<PreviewSession>();
  }
  void SetUp() override {
    if (!session_) GTEST_SKIP() << "the sample disc is missing";
    // The fields are looked at with the panel open, as a person would.
    QTest::mouseClick(Window().sbtShowDetail(), Qt::LeftButton);
  }

  MainWindow& Window() { return session_->Window(); }
  DetailPanel& Panel() { return *Window().panDetail(); }
  PreviewListView& List() { return *Window().ListBox1(); }
  FileTreeView& Tree() { return *Window().tvFileList(); }
  DirNode* Node(const std::string& relative) {
    return Window().Session().CurrentTree()->FindNode(session_->Disc().InRoot(relative));
  }
  QModelIndex Item(const std::string& relative) {
    return Window().tvFileList()->Model()->IndexOf(Node(relative));
  }
  int LineStarting(const std::string& start) {
    const auto& lines = List().Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].rfind(start, 0) == 0) return static_cast<int>(i);
    }
    return -1;
  }
  void ClickLine(int line, Qt::MouseButton button = Qt::LeftButton) {
    List().scrollTo(List().model()->index(line, 0));
    const QRect rect = List().visualRect(List().model()->index(line, 0));
    QTest::mouseClick(List().viewport(), button, {}, QPoint(20, rect.center().y()));
  }

  std::unique_ptr<PreviewSession> session_;
};

TEST_F(SelectionCoupling, SelectingATreeItemSelectsItsFirstLineAndFillsTheDetails) {
  Tree().setCurrentIndex(Item("Drivers/IntelChipset"));
  const int line = LineStarting("  -IntelChipset");
  ASSERT_GE(line, 0);
  EXPECT_EQ(List().SelectedLine(), line);
  EXPECT_EQ(Panel().edtTitle->text(), QStringLiteral("Intel Chipset Driver"));
  EXPECT_EQ(Panel().edtVersion->text(), QStringLiteral("9.3.0.1019"));
  EXPECT_EQ(Panel().edtOS->text(),
            QStringLiteral("XP 32bit & Vista 32bit & Vista 64bit & Win7 32bit & Win7 64bit & "
                           "Win8 32bit & Win8 64bit"));
  EXPECT_TRUE(Panel().edtLanguage->text().isEmpty());

  // A folder without a package shows empty fields.
  Tree().setCurrentIndex(Item("Drivers"));
  EXPECT_EQ(List().SelectedLine(), 0);
  EXPECT_TRUE(Panel().edtTitle->text().isEmpty());
  EXPECT_TRUE(Panel().edtVersion->text().isEmpty());

  // An item that produced no line clears the list's selection.
  ASSERT_FALSE(Node("Bin")->Checked);
  Tree().setCurrentIndex(Item("Bin"));
  EXPECT_EQ(List().SelectedLine(), -1);
}

TEST_F(SelectionCoupling, ClickingALineSelectsItsItemAndMovesToTheItemsFirstLine) {
  const int first = LineStarting("  -IntelRAID");
  ASSERT_GE(first, 0);
  const int second = first + 1;
  ASSERT_EQ(Window().Session().CurrentPreview().map.LineNodes[second], Node("Drivers/IntelRAID"));

  Tree().setCurrentIndex(Item("Drivers/LAN"));
  ClickLine(second);
  EXPECT_EQ(Tree().currentIndex(), Item("Drivers/IntelRAID"));
  EXPECT_EQ(List().SelectedLine(), first);
  // Clicked again with the item already selected, the line stays selected.
  ClickLine(second);
  EXPECT_EQ(List().SelectedLine(), second);
  EXPECT_EQ(Tree().currentIndex(), Item("Drivers/IntelRAID"));
}

TEST_F(SelectionCoupling, BlankLinesAndRightClicksLeaveTheTreeAlone) {
  Tree().setCurrentIndex(Item("Drivers/LAN"));
  const int blank = LineStarting("  -IntelChipset") + 1;
  ASSERT_EQ(List().Lines()[blank], "");
  ClickLine(blank);
  EXPECT_EQ(List().SelectedLine(), blank);
  EXPECT_EQ(Tree().currentIndex(), Item("Drivers/LAN"));

  // A right button does not move the list's selection.
  ClickLine(LineStarting("  -VGA"), Qt::RightButton);
  EXPECT_EQ(List().SelectedLine(), blank);
  EXPECT_EQ(Tree().currentIndex(), Item("Drivers/LAN"));
}

TEST_F(SelectionCoupling, KeyboardMovesInTheListAreFollowedByTheTree) {
  const int line = LineStarting("  -IntelChipset");
  ClickLine(line);
  ASSERT_EQ(Tree().currentIndex(), Item("Drivers/IntelChipset"));
  QTest::keyClick(&List(), Qt::Key_Down);  // the blank line: nothing follows
  EXPECT_EQ(Tree().currentIndex(), Item("Drivers/IntelChipset"));
  QTest::keyClick(&List(), Qt::Key_Down);
  EXPECT_EQ(Tree().currentIndex(), Item("Drivers/IntelRAID"));
  EXPECT_EQ(Panel().edtVersion->text(), QStringLiteral("11.2.0.1006"));
}

TEST_F(SelectionCoupling, PressOnAPackagesFirstLineShowsItsRecord) {
  // The fields are overwritten, then a press on the line of the selected
  // item shows its record again.
  Tree().setCurrentIndex(Item("Drivers/LAN"));
  Panel().edtTitle->setText(QStringLiteral("stale"));
  ClickLine(LineStarting("  -LAN"));
  EXPECT_EQ(Panel().edtTitle->text(), QStringLiteral("Zoltek Gigabit LAN Driver"));
  // A continuation line of the selected item does not.
  Tree().setCurrentIndex(Item("Drivers/VGA"));
  Panel().edtTitle->setText(QStringLiteral("stale"));
  ClickLine(LineStarting("  -VGA") + 1);
  EXPECT_EQ(Panel().edtTitle->text(), QStringLiteral("stale"));
}

TEST_F(SelectionCoupling, DoubleClickOnlySelects) {
  Tree().setCurrentIndex(Item("Drivers/LAN"));
  const std::vector<std::string> before = List().Lines();
  const int line = LineStarting("  -VGA");
  const QRect rect = List().visualRect(List().model()->index(line, 0));
  QTest::mouseDClick(List().viewport(), Qt::LeftButton, {}, QPoint(20, rect.center().y()));
  EXPECT_EQ(Tree().currentIndex(), Item("Drivers/VGA"));
  EXPECT_EQ(List().Lines(), before);
}

TEST_F(SelectionCoupling, AfterASaveTheShownLinesAreMatchedByIndex) {
  const int raid = LineStarting("  -IntelRAID");
  QTest::mouseClick(Panel().btnSave, Qt::LeftButton);
  // The map keeps the generated lines; the list shows the rewritten ones.
  const auto& map = Window().Session().CurrentPreview().map;
  ASSERT_LT(raid, List().LineCount());
  Tree().setCurrentIndex(Item("Drivers/LAN"));
  ClickLine(raid);
  EXPECT_EQ(Tree().currentIndex(), Tree().Model()->IndexOf(map.LineNodes[raid]));
  EXPECT_EQ(Tree().currentIndex(), Item("Drivers/IntelRAID"));
}

}  // namespace
}  // namespace cartulon
