// The selection dialog: its remembered folders, the kinds of run it offers
// and the keyboard and mouse behaviour of its controls.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <array>
#include <cstdlib>

#include "desktop/remembered_roots.h"
#include "gui_test_support.h"
#include "ui/browse_folder.h"
#include "ui/loading.h"
#include "ui/select_scd.h"

namespace cartulon {
namespace {

using gui_test::OnShown;
using gui_test::ScriptedDialogs;

std::array<std::string, 5> Five(std::string a, std::string b, std::string c, std::string d,
                                std::string e) {
  return {std::move(a), std::move(b), std::move(c), std::move(d), std::move(e)};
}

// A dialog as start-up creates it for a program in the Bin folder of a disc,
// with the store in a scratch folder.
class SelectionDialog : public ::testing::Test {
 protected:
  SelectionDialog()
      : store_({dir_.Path("remember.ini"), dir_.Path("remember.ini")}),
        bin_(dir_.MakeFolder("SupportCD/Bin")),
        root_(dir_.Path("SupportCD") + "/") {
    dir_.WriteFile("SupportCD/Bin/Zscdinst.ini", "[InstAll]\r\n");
  }

  // Prepared as the program prepares it from the store.
  std::unique_ptr<SCDSelector> Make(const std::string& programFolder = {}) {
    loading_ = std::make_unique<LoadingWindow>();
    auto dialog = std::make_unique<SCDSelector>(*loading_, dialogs_);
    request_ = SelectionRequestFor(store_, programFolder.empty() ? bin_ : programFolder, {});
    dialog->Prepare(request_);
    return dialog;
  }
  // Shows the dialog modally and runs `act` on it once it is the active
  // window; returns the modal result. Keys and focus belong to the active
  // window, and the platform activates a shown window through a queued event
  // that may still be waiting when the dialog is first seen.
  int Run(SCDSelector& dialog, std::function<void(SCDSelector&)> act) {
    OnShown<SCDSelector>([act = std::move(act)](SCDSelector& d) {
      d.activateWindow();
      if (!gui_test::WaitFor([&] { return d.isActiveWindow(); })) {
        ADD_FAILURE() << "the dialog did not become the active window";
        d.reject();
        return;
      }
      act(d);
    });
    const int result = dialog.exec();
    // Every close records the path box, as the program does.
    RememberRoot(store_, request_.remembered, dialog.PathText());
    return result;
  }
  std::string Stored(int k) {
    return store_.ReadString(kRememberKey, "Folder" + std::to_string(k));
  }
  void StoreFolders(const std::array<std::string, 5>& values) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (int k = 1; k <= 5; ++k) pairs.emplace_back("Folder" + std::to_string(k), values[k - 1]);
    ASSERT_TRUE(store_.WriteStrings(kRememberKey, pairs));
  }

  TempDir dir_;
  SettingsStore store_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<LoadingWindow> loading_;
  SelectionRequest request_;
  const std::string bin_;
  const std::string root_;  // the disc root as proposed: with a trailing delimiter
};

TEST_F(SelectionDialog, EachButtonClosesWithItsResult) {
  struct Case {
    QPushButton* (SCDSelector::*button)() const;
    int result;
  };
  for (const Case& c : {Case{&SCDSelector::btnGen, kResultTxt},
                        Case{&SCDSelector::btnxls, kResultTxtAndCsv},
                        Case{&SCDSelector::Button2, kResultPreview},
                        Case{&SCDSelector::btnCancel, kResultCancel}}) {
    auto dialog = Make();
    const int result =
        Run(*dialog, [&](SCDSelector& d) { QTest::mouseClick((d.*c.button)(), Qt::LeftButton); });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(dialog->result(), c.result);  // still readable afterwards
  }
}

TEST_F(SelectionDialog, CloseBoxAndEscapeCancel) {
  auto dialog = Make();
  EXPECT_EQ(Run(*dialog, [](SCDSelector& d) { d.close(); }), kResultCancel);
  auto again = Make();
  EXPECT_EQ(Run(*again, [](SCDSelector& d) { QTest::keyClick(d.edtSCD(), Qt::Key_Escape); }),
            kResultCancel);
}

TEST_F(SelectionDialog, EnterPressesTxtFileUnlessAnotherButtonWasHovered) {
  auto dialog = Make();
  EXPECT_EQ(Run(*dialog, [](SCDSelector& d) { QTest::keyClick(d.edtSCD(), Qt::Key_Return); }),
            kResultTxt);

  // Hovering gives the button the focus, so Enter presses it.
  auto hovered = Make();
  EXPECT_EQ(Run(*hovered,
                [](SCDSelector& d) {
                  gui_test::HoverOver(d.btnxls());
                  EXPECT_TRUE(d.btnxls()->hasFocus());
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                }),
            kResultTxtAndCsv);

  auto last = Make();
  EXPECT_EQ(Run(*last,
                [](SCDSelector& d) {
                  gui_test::HoverOver(d.btnxls());
                  gui_test::HoverOver(d.btnCancel());
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                }),
            kResultCancel);

  // The Preview button takes no focus from the mouse.
  auto preview = Make();
  EXPECT_EQ(Run(*preview,
                [](SCDSelector& d) {
                  gui_test::HoverOver(d.btnGen());
                  gui_test::HoverOver(d.Button2());
                  EXPECT_TRUE(d.btnGen()->hasFocus());
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                }),
            kResultTxt);
}

TEST_F(SelectionDialog, ProposesTheProgramsParentAndShowsTheEnglishTexts) {
  auto dialog = Make();
  EXPECT_EQ(dialog->PathText(), root_);
  EXPECT_EQ(dialog->edtSCD()->text(), QString::fromStdString(root_));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Zolt Cartulon V4.0"));
  EXPECT_EQ(dialog->Label1()->text(), QStringLiteral("Please Select Support CD Path :"));
  EXPECT_EQ(dialog->btnGen()->text(), QStringLiteral("TXT File"));
  EXPECT_EQ(dialog->btnGen()->toolTip(), QStringLiteral("Generate FileList.txt file Only"));
  EXPECT_EQ(dialog->btnCancel()->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(dialog->btnCancel()->toolTip(), QStringLiteral("Exit the Program"));
  EXPECT_EQ(dialog->btnBrowse()->text(), QStringLiteral("Browse"));
  EXPECT_EQ(dialog->btnBrowse()->toolTip(), QStringLiteral("Browse the Support CD Path"));
  EXPECT_EQ(dialog->Button2()->text(), QStringLiteral("Preview"));
  EXPECT_EQ(dialog->Label2()->text(), QStringLiteral("History Path:"));
  EXPECT_EQ(dialog->btnxls()->text(), QStringLiteral("TXT + CSV Files"));
  EXPECT_EQ(dialog->btnxls()->toolTip(),
            QStringLiteral("Generate FileList.txt and DriverInformation.csv together"));
  EXPECT_TRUE(dialog->btnGen()->isDefault());
}

TEST_F(SelectionDialog, TextsFollowTheSystemLanguage) {
  struct Case {
    const char* locale;
    const char* caption;
    const char* txt;
    const char* progress;
  };
  for (const Case& c :
       {Case{"zh_TW.UTF-8", "ZoltCartulonV4.0", "TXT文檔", "正在讀取Support CD內容，請等待..."},
        Case{"zh_HK.UTF-8", "ZoltCartulonV4.0", "TXT文檔", "正在讀取Support CD內容，請等待..."},
        Case{"zh_CN.UTF-8", "ZoltCartulon V4.0", "TXT文件", "正在分析Support CD内容，请稍等..."},
        Case{"zh_SG.UTF-8", "Zolt Cartulon V4.0", "TXT File",
             "Now Analyzing Support CD,Please wait..."}}) {
    ::setenv("LANG", c.locale, 1);
    auto dialog = Make();
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(c.caption)) << c.locale;
    EXPECT_EQ(dialog->btnGen()->text(), QString::fromUtf8(c.txt)) << c.locale;
    EXPECT_EQ(loading_->Label1()->text(), QString::fromUtf8(c.progress)) << c.locale;
  }
  ::setenv("LANG", "C.UTF-8", 1);
}

TEST_F(SelectionDialog, FirstRunShowsFiveEmptyLinesAndStoresThePathOnClose) {
  auto dialog = Make();
  Run(*dialog, [](SCDSelector& d) {
    EXPECT_EQ(d.edtHistoryPath()->count(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(d.edtHistoryPath()->item(i)->text().isEmpty());
    d.btnGen()->click();
  });
  EXPECT_EQ(Stored(1), root_);
  for (int k = 2; k <= 5; ++k) EXPECT_EQ(Stored(k), "");
}

TEST_F(SelectionDialog, AnInstalledProgramProposesTheLastFolderOrTheHome) {
  // A program folder that is not on a disc, as for an installed program.
  const std::string installed = dir_.MakeFolder("usr/bin");
  const std::string home = dir_.MakeFolder("home/user");
  const char* savedHome = std::getenv("HOME");
  const std::string saved = savedHome != nullptr ? savedHome : "";
  ::setenv("HOME", home.c_str(), 1);
  {
    auto first = Make(installed);
    EXPECT_EQ(first->PathText(), home + "/");
  }
  StoreFolders(Five("/media/disc", "/b/", "", "", ""));
  {
    auto again = Make(installed);
    EXPECT_EQ(again->PathText(), "/media/disc");
  }
  if (savedHome != nullptr) {
    ::setenv("HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("HOME");
  }
}

TEST_F(SelectionDialog, EveryCloseRecordsThePathBoxAndTheHistoryLeavesItAlone) {
  StoreFolders(Five("/a/", "/b/", "/c/", "", ""));
  auto dialog = Make();
  Run(*dialog, [this](SCDSelector& d) {
    // The remembered folders are shown, the path box keeps its default.
    EXPECT_EQ(d.edtHistoryPath()->item(0)->text(), QStringLiteral("/a/"));
    EXPECT_EQ(d.edtHistoryPath()->item(2)->text(), QStringLiteral("/c/"));
    EXPECT_EQ(d.PathText(), root_);
    d.edtSCD()->setText(QStringLiteral("/b/"));
    d.btnCancel()->click();
  });
  EXPECT_EQ(Stored(1), "/b/");
  EXPECT_EQ(Stored(2), "/a/");
  EXPECT_EQ(Stored(3), "/c/");
  EXPECT_EQ(Stored(4), "");
}

TEST_F(SelectionDialog, HistoryLinesFillThePathBox) {
  StoreFolders(Five("/first/", "/second/", "", "", ""));
  auto dialog = Make();
  const int result = Run(*dialog, [](SCDSelector& d) {
    HistoryListBox* list = d.edtHistoryPath();
    // A press on a line takes it into the path box.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(d.PathText(), "/second/");
    // A key moves the selection; its release takes the new line.
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(d.PathText(), "/first/");
    // A right click does not move the selection but still takes the
    // selected line.
    d.edtSCD()->setText(QStringLiteral("/typed/"));
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(d.PathText(), "/first/");
    d.btnGen()->click();
  });
  EXPECT_EQ(result, kResultTxt);
}

TEST_F(SelectionDialog, PressWithoutSelectionKeepsThePathBox) {
  StoreFolders(Five("/only/", "", "", "", ""));
  auto dialog = Make();
  Run(*dialog, [this](SCDSelector& d) {
    d.edtHistoryPath()->clearSelection();
    QTest::mouseClick(d.edtHistoryPath()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(d.PathText(), root_);
    d.btnCancel()->click();
  });
}

TEST_F(SelectionDialog, DoubleClickOnARememberedFolderStartsAPreview) {
  StoreFolders(Five("/x/", "/y/", "", "", ""));
  auto dialog = Make();
  const int result = Run(*dialog, [](SCDSelector& d) {
    HistoryListBox* list = d.edtHistoryPath();
    const QPoint line = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line);
  });
  EXPECT_EQ(result, kResultPreview);
  EXPECT_EQ(dialog->PathText(), "/y/");
  EXPECT_EQ(Stored(1), "/y/");
  EXPECT_EQ(Stored(2), "/x/");
}

TEST_F(SelectionDialog, NamesThatAreNotUtf8KeepTheirBytes) {
  const std::string gbk = "/discs/\xD6\xF7\xB0\xE5/";
  StoreFolders(Five(gbk, "", "", "", ""));
  auto dialog = Make();
  Run(*dialog, [&](SCDSelector& d) {
    HistoryListBox* list = d.edtHistoryPath();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(d.PathText(), gbk);
    d.btnGen()->click();
  });
  EXPECT_EQ(Stored(1), gbk);
}

TEST_F(SelectionDialog, BrowsePutsThePickedFolderIntoThePathBox) {
  dialogs_.folderAnswers = {"/picked/disc", ""};
  auto dialog = Make();
  Run(*dialog, [](SCDSelector& d) {
    QTest::mouseClick(d.btnBrowse(), Qt::LeftButton);
    EXPECT_EQ(d.PathText(), "/picked/disc");
    // Cancel in the picker leaves the path box as it is.
    QTest::mouseClick(d.btnBrowse(), Qt::LeftButton);
    EXPECT_EQ(d.PathText(), "/picked/disc");
    d.btnGen()->click();
  });
  ASSERT_EQ(dialogs_.pickerTitles.size(), 2u);
  EXPECT_EQ(dialogs_.pickerTitles[0], kBrowseTitle);
  EXPECT_EQ(std::string(kBrowseTitle), "Please Select the Working Directory!");
}

TEST_F(SelectionDialog, HistoryAndPreviewLieBelowTheFirstViewAndAreReachedByScrolling) {
  auto dialog = Make();
  Run(*dialog, [](SCDSelector& d) {
    QScrollArea* area = d.ScrollArea();
    const int visibleBottom = area->viewport()->height();
    EXPECT_EQ(d.height(), 109);
    EXPECT_GT(d.Button2()->geometry().top(), visibleBottom);
    EXPECT_GT(d.edtHistoryPath()->geometry().top(), visibleBottom);
    EXPECT_LT(d.btnGen()->geometry().bottom(), visibleBottom);
    // Tab order: path box, Browse, Preview, TXT File, Cancel, history, TXT + CSV.
    EXPECT_TRUE(d.edtSCD()->hasFocus());
    std::vector<QWidget*> order;
    int scrolledForPreview = 0;
    for (int i = 0; i < 6; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      order.push_back(QApplication::focusWidget());
      if (QApplication::focusWidget() == d.Button2()) {
        scrolledForPreview = area->verticalScrollBar()->value();
      }
    }
    EXPECT_EQ(order, (std::vector<QWidget*>{d.btnBrowse(), d.Button2(), d.btnGen(), d.btnCancel(),
                                            d.edtHistoryPath(), d.btnxls()}));
    // Tabbing to the Preview button scrolled it into view.
    EXPECT_GT(scrolledForPreview, 0);
    d.btnCancel()->click();
  });
}

}  // namespace
}  // namespace cartulon
