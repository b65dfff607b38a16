// The small pieces the windows are made of: the up-down control, the
// preview list, the text conversion for display, the dialog filters and the
// message sink that carries a worker's messages to the main thread.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>


#include "gui_test_support.h"
#include "platform/code_page.h"
#include "shell/ui_text.h"
#include "ui/preview_view.h"
#include "ui/program.h"
#include "ui/up_down.h"

namespace cartulon {
namespace {

using gui_test::ScriptedDialogs;

TEST(UpDownControl, StepsWithinItsLimitsAndReportsBeforeTakingTheStep) {
  QLineEdit edit;
  UpDown control;
  control.SetRange(0, 100);
  control.SetIncrement(5);
  control.SetAssociate(&edit);
  control.SetPosition(25);
  EXPECT_EQ(edit.text(), QStringLiteral("25"));

  std::vector<std::pair<int, QString>> seen;  // the new value and the edit at that moment
  QObject::connect(&control, &UpDown::changing,
                   [&](int value) { seen.emplace_back(value, edit.text()); });
  QTest::mouseClick(control.UpButton(), Qt::LeftButton);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], std::make_pair(30, QStringLiteral("25")));
  EXPECT_EQ(edit.text(), QStringLiteral("30"));
  EXPECT_EQ(control.Position(), 30);

  control.SetPosition(0);
  QTest::mouseClick(control.DownButton(), Qt::LeftButton);  // stopped by the minimum
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(edit.text(), QStringLiteral("0"));

  control.SetPosition(98);
  EXPECT_EQ(control.Position(), 98);
  control.Step(+1);  // 103 is cut to the maximum
  EXPECT_EQ(seen.back().first, 100);
  control.Step(+1);
  EXPECT_EQ(seen.size(), 2u);
}

TEST(UpDownControl, StartsFromANumberTypedIntoTheEditAndFollowsArrowKeys) {
  QLineEdit edit;
  UpDown control;
  control.SetRange(0, 100);
  control.SetAssociate(&edit);
  control.SetPosition(2);
  edit.setText(QStringLiteral("5"));
  control.Step(+1);
  EXPECT_EQ(edit.text(), QStringLiteral("6"));
  edit.setText(QStringLiteral("not a number"));
  control.Step(-1);
  EXPECT_EQ(edit.text(), QStringLiteral("5"));
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_EQ(edit.text(), QStringLiteral("6"));
  QTest::keyClick(&edit, Qt::Key_Down);
  EXPECT_EQ(edit.text(), QStringLiteral("5"));
  control.SetMaximum(3);
  control.Step(+1);  // 5 lies above the new maximum: the step ends at it
  EXPECT_EQ(edit.text(), QStringLiteral("3"));
  control.Step(+1);
  EXPECT_EQ(edit.text(), QStringLiteral("3"));
}

TEST(PreviewList, ScrollExtentIsTheWidestLineWithOneMoreLetter) {
  PreviewListView list;
  list.resize(300, 200);
  list.SetLines({});
  list.FitPreviewWidth();
  EXPECT_EQ(list.ScrollExtent(), 0);

  const std::string wide = "-Drivers                 - a rather long description for a line";
  const std::string chinese = "  -\xE9\xA9\xB1\xE5\x8A\xA8                 - \xE9\xA9\xB1";
  list.SetLines({"short", wide, chinese, ""});
  list.FitPreviewWidth();
  const QFontMetrics metrics(list.font());
  const int expected =
      std::max(metrics.horizontalAdvance(QString::fromStdString(wide) + QLatin1Char('x')),
               metrics.horizontalAdvance(QString::fromUtf8(chinese.c_str()) + QLatin1Char('x')));
  EXPECT_EQ(list.ScrollExtent(), expected);
  EXPECT_EQ(list.model()->data(list.model()->index(1, 0), Qt::SizeHintRole).toSize(),
            QSize(expected, kPreviewItemHeight));
  EXPECT_TRUE(QFontInfo(list.font()).fixedPitch());
}

TEST(PreviewList, SelectingByCodeRunsNoClickHandlerButTheKeyboardDoes) {
  PreviewListView list;
  list.resize(300, 200);
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  list.SetLines({"one", "two", "three"});
  QSignalSpy clicked(&list, &PreviewListView::lineClicked);
  list.SelectLine(1);
  EXPECT_EQ(list.SelectedLine(), 1);
  list.SelectLine(-1);
  EXPECT_EQ(list.SelectedLine(), -1);
  list.SelectLine(7);
  EXPECT_EQ(list.SelectedLine(), -1);
  EXPECT_EQ(clicked.count(), 0);
  list.SelectLine(0);
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(list.SelectedLine(), 1);
  EXPECT_EQ(clicked.count(), 1);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualRect(list.model()->index(2, 0)).center());
  EXPECT_EQ(list.SelectedLine(), 2);
  EXPECT_EQ(clicked.count(), 2);
}

TEST(DisplayTextTest, Utf8IsShownAsSuchOtherBytesThroughTheCodePage) {
  EXPECT_EQ(DisplayText("\xE8\xA7\x88"), QString::fromUtf8("\xE8\xA7\x88"));
  EXPECT_EQ(DisplayText("plain"), QStringLiteral("plain"));
  EXPECT_EQ(PathBytes(QString::fromUtf8("/disc/\xE8\xA7\x88")), "/disc/\xE8\xA7\x88");
}

// The names and INI texts of a disc are in the run's code page, as in the
// list; they read as Windows shows them.
TEST(DisplayTextTest, OtherBytesReadInTheRunsCodePage) {
  if (RunCodePage() != 1252) GTEST_SKIP() << "the locale picks code page " << RunCodePage();
  EXPECT_EQ(DisplayText("User\x92s Manual"), QString::fromUtf8("User\xE2\x80\x99s Manual"));
  EXPECT_EQ(DisplayText("R\xE9seau"), QString::fromUtf8("R\xC3\xA9seau"));
}

TEST(NameFiltersTest, TheSaveDialogFiltersInTheToolkitsForm) {
  EXPECT_EQ(NameFilters(kSaveDialogFilter),
            (QStringList{QStringLiteral("Text files (*.txt)"), QStringLiteral("CSV files (*.csv)"),
                         QStringLiteral("Any files (*)")}));
}

// Qt's own Yes and No follow the chosen language, when its translations
// are installed (Debian's qt6-translations-l10n).
TEST(ToolkitTranslations, YesAndNoInTheChineseLanguages) {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(InstallToolkitTranslations(*app, kEnglishOffset), nullptr);
  for (int offset : {kTraditionalChineseOffset, kSimplifiedChineseOffset}) {
    QTranslator* translator = InstallToolkitTranslations(*app, offset);
    ASSERT_NE(translator, nullptr) << "Qt's translations are not installed";
    const QString yes = QCoreApplication::translate("QPlatformTheme", "&Yes");
    EXPECT_NE(yes, QStringLiteral("&Yes")) << offset;
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
}

}  // namespace
}  // namespace cartulon
