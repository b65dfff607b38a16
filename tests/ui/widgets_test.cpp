// The small pieces the windows are made of: the up-down control, the
// preview list, the text conversion for display, the dialog filters and the
// message sink that carries a worker's messages to the main thread.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>


#include <cmath>

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

// The code page of a run for one test, and the one before it afterwards.
class RunCodePageFor {
 public:
  explicit RunCodePageFor(unsigned codePage) : before_(RunCodePage()) { SetRunCodePage(codePage); }
  ~RunCodePageFor() { SetRunCodePage(before_); }
  RunCodePageFor(const RunCodePageFor&) = delete;
  RunCodePageFor& operator=(const RunCodePageFor&) = delete;

 private:
  unsigned before_;
};

// Lines are the list's bytes in the run's code page: they read as Windows
// shows them, and each byte takes one column, so a line of double-byte
// characters is as wide as the file makes it.
TEST(PreviewList, LinesReadInTheCodePageAndTakeAColumnPerByte) {
  const RunCodePageFor big5(950);
  PreviewListView list;
  list.resize(300, 200);
  list.SetLines({});
  list.FitPreviewWidth();
  EXPECT_EQ(list.ScrollExtent(), 0);

  const std::string wide = "-Drivers                 - a rather long description for a line";
  std::string chinese = "  -";
  for (int i = 0; i < 40; ++i) chinese += "\xBB\xA1";  // fewer characters, more bytes than `wide`
  list.SetLines({"short", wide, chinese, ""});
  list.FitPreviewWidth();
  const auto expected = static_cast<int>(
      std::ceil(static_cast<qreal>(chinese.size() + 1) *
                QFontMetricsF(list.font()).horizontalAdvance(QLatin1Char('x'))));
  EXPECT_EQ(list.ScrollExtent(), expected);
  EXPECT_EQ(list.model()->data(list.model()->index(1, 0), Qt::SizeHintRole).toSize(),
            QSize(expected, kPreviewItemHeight));
  EXPECT_EQ(list.model()->data(list.model()->index(2, 0), Qt::DisplayRole).toString(),
            QStringLiteral("  -") + QString(40, QChar(0x8AAA)));
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
  // The disc's bytes are read in the code page even where they would pass
  // for UTF-8: C3 A9 is two letters in 1252.
  EXPECT_EQ(DiscText("Caf\xC3\xA9"), QString::fromUtf8("Caf\xC3\x83\xC2\xA9"));
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
