// The disc check in the main window: the status line under the lists, the
// icon and tooltip of a folder with findings, and the selection that
// changes the line.
#include <gtest/gtest.h>

#include <QIcon>
#include <QLabel>
#include <memory>

#include "gui_test_support.h"
#include "platform/code_page.h"
#include "ui/main_window.h"
#include "ui/dir_tree_model.h"
#include "ui/tree_view.h"

namespace cartulon {
namespace {

using gui_test::PreviewSession;
using gui_test::TestDisc;

class CheckFindingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (gui_test::SampleDiscPath().empty()) GTEST_SKIP() << "the sample disc is missing";
    // The sample disc with one driver folder that has no English.ini.
    auto disc = std::make_unique<TestDisc>(TestDisc::Content::Sample);
    disc->AddFile("Drivers/Bluetooth/ZoltSetup.ini",
                  "[Root]\r\nInstallType=0\r\n[InstAllInfo]\r\nVersion=3.2\r\n"
                  "[OS_Language_Tag]\r\nWNT_6.1P_64=1\r\n");
    session_ = std::make_unique<PreviewSession>(std::move(disc));
    ASSERT_TRUE(Window().isVisible());
  }

  MainWindow& Window() { return session_->Window(); }
  QModelIndex Item(const std::string& relative) {
    return Window().tvFileList()->Model()->IndexOf(
        Window().Session().CurrentTree()->FindNode(session_->Disc().InRoot(relative)));
  }

  std::unique_ptr<PreviewSession> session_;
};

TEST_F(CheckFindingsTest, StatusLineAndTooltipOfAFolderWithFindings) {
  ASSERT_EQ(Window().Session().Findings().size(), 2u);
  EXPECT_EQ(Window().FindingsStatus(), QStringLiteral("2 errors, 0 warnings"));
  QLabel* status = Window().lblFindings();
  ASSERT_NE(status, nullptr);
  EXPECT_TRUE(status->isVisible());
  EXPECT_EQ(status->text(), QStringLiteral("2 errors, 0 warnings"));
  // In the strip under the tree, down to the window's bottom edge.
  FileTreeView* tree = Window().tvFileList();
  EXPECT_EQ(status->y(), tree->y() + tree->height());
  EXPECT_EQ(status->y() + status->height(), Window().height());
  EXPECT_GT(status->height(), 0);
  // The code page the disc is read in closes the line on the right.
  QLabel* codePage = Window().lblCodePage();
  EXPECT_TRUE(codePage->isVisible());
  EXPECT_EQ(codePage->text().toStdString(), "Code page " + std::to_string(RunCodePage()));
  EXPECT_EQ(codePage->geometry().top(), status->geometry().top());
  EXPECT_EQ(codePage->x(), status->x() + status->width());
  EXPECT_EQ(codePage->x() + codePage->width(), Window().width());

  const QModelIndex broken = Item("Drivers/Bluetooth");
  ASSERT_TRUE(broken.isValid());
  tree->setCurrentIndex(broken);
  const QString line = Window().FindingsStatus();
  EXPECT_TRUE(line.startsWith(QStringLiteral("2 errors, 0 warnings  |  Drivers\\Bluetooth (+1 "
                                             "more): error no-description: ZoltSetup.ini gives "
                                             "the folder's line no description")))
      << line.toStdString();
  // The label shows the line, cut to its width where it is longer.
  EXPECT_TRUE(status->text().startsWith(QStringLiteral("2 errors, 0 warnings  |  Drivers")))
      << status->text().toStdString();
  EXPECT_EQ(status->toolTip(), line);

  const QString tip = broken.data(Qt::ToolTipRole).toString();
  EXPECT_TRUE(tip.contains(QStringLiteral("error no-description: ZoltSetup.ini gives")));
  EXPECT_TRUE(
      tip.contains(QStringLiteral("error no-english-file: ZoltSetup.ini has no "
                                  "English.ini beside it")));
  EXPECT_FALSE(broken.data(Qt::DecorationRole).value<QIcon>().isNull());

  // A folder without findings: no icon, no tooltip, the counts alone.
  const QModelIndex lan = Item("Drivers/LAN");
  EXPECT_TRUE(lan.data(Qt::DecorationRole).value<QIcon>().isNull());
  EXPECT_TRUE(lan.data(Qt::ToolTipRole).toString().isEmpty());
  tree->setCurrentIndex(lan);
  EXPECT_EQ(Window().FindingsStatus(), QStringLiteral("2 errors, 0 warnings"));
}

}  // namespace
}  // namespace cartulon
