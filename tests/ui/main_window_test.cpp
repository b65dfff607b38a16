// The main window of a Preview run on the sample disc: its first state, the
// format settings, the detail panel, the resize rule, Compact, the check-box
// clicks as they reach the preview, Save and "SCD Path...".
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <filesystem>

#include "gui_test_support.h"
#include "output/layout_rules.h"
#include "output/list_writer.h"
#include "output/preview_map.h"
#include "ui/loading.h"
#include "ui/detail_panel.h"
#include "ui/main_window.h"
#include "ui/preview_view.h"
#include "ui/dir_tree_model.h"
#include "ui/tree_view.h"
#include "ui/up_down.h"

namespace cartulon {
namespace {

using gui_test::Exists;
using gui_test::PreviewSession;
using gui_test::ReadFile;
using gui_test::TestDisc;

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    if (gui_test::SampleDiscPath().empty()) return;
    session_ = std::make_unique<PreviewSession>();
  }
  void SetUp() override {
    if (!session_) GTEST_SKIP() << "the sample disc is missing";
    ASSERT_TRUE(Window().isVisible());
  }

  MainWindow& Window() { return session_->Window(); }
  TestDisc& Disc() { return session_->Disc(); }
  gui_test::ScriptedDialogs& Dialogs() { return session_->dialogs; }
  DetailPanel& Panel() { return *Window().panDetail(); }
  const std::vector<std::string>& Lines() { return Window().ListBox1()->Lines(); }
  const std::vector<std::string>& TitleLines() { return Window().lbxFileTitle()->Lines(); }

  void OpenPanel() {
    if (!Panel().IsOpen()) QTest::mouseClick(Window().sbtShowDetail(), Qt::LeftButton);
    ASSERT_TRUE(Panel().IsOpen());
  }
  void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
  void StepUp(UpDown* control) { Click(control->UpButton()); }
  void StepDown(UpDown* control) { Click(control->DownButton()); }

  DirNode* Node(const std::string& relative) {
    return Window().Session().CurrentTree()->FindNode(Disc().InRoot(relative));
  }
  QModelIndex Item(const std::string& relative) {
    return Window().tvFileList()->Model()->IndexOf(Node(relative));
  }
  void ClickBox(const std::string& relative) {
    FileTreeView* tree = Window().tvFileList();
    tree->scrollTo(Item(relative));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->CheckBoxRect(Node(relative)).center());
  }
  // The check box the tree draws for a node.
  bool Shown(const DirNode* node) {
    return Window().tvFileList()->Model()->IndexOf(node).data(Qt::CheckStateRole).toInt() ==
           Qt::Checked;
  }
  std::string InTemplates(const char* name) {
    return Window().Session().TemplateFolder() + "/" + name;
  }
  static bool HasLineStarting(const std::vector<std::string>& lines, const std::string& start) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.rfind(start, 0) == 0; });
  }
  static long EmptyLines(const std::vector<std::string>& lines) {
    return std::count(lines.begin(), lines.end(), std::string());
  }

  std::unique_ptr<PreviewSession> session_;
};

TEST_F(MainWindowTest, PreviewRunOpensMaximisedWithTheTreeExpandedAndThePreviewCompacted) {
  EXPECT_TRUE(Window().windowState() & Qt::WindowMaximized);
  EXPECT_EQ(Window().windowTitle(), QStringLiteral("Zolt Cartulon"));
  EXPECT_FALSE(Window().Session().AnalysisRunning());
  EXPECT_EQ(Window().Session().ScdPath(), Disc().Root());
  EXPECT_EQ(Window().Session().CDMasterPath(), Disc().Root() + "/Bin/Zscdinst.ini");

  // Expanded to level 2: the root and its children are open, nothing deeper.
  EXPECT_TRUE(Window().tvFileList()->isExpanded(Item("")));
  EXPECT_TRUE(Window().tvFileList()->isExpanded(Item("Drivers")));
  EXPECT_FALSE(Window().tvFileList()->isExpanded(Item("Drivers/IntelRAID")));
  EXPECT_FALSE(Window().tvFileList()->isExpanded(Item("Software/ControlCenter")));

  // The heading and the entry lines, compacted.
  ASSERT_EQ(TitleLines().size(), 4u);
  EXPECT_EQ(TitleLines()[0],
            "File List for the included support software for Z77X-Zolt Motherboard");
  ASSERT_FALSE(Lines().empty());
  EXPECT_EQ(Lines()[0], "-Drivers" + std::string(17, ' '));
  EXPECT_EQ(Lines(), Window().Session().CurrentPreview().map.PreviewLines);
  EXPECT_TRUE(HasLineStarting(Lines(), "-Contact" + std::string(17, ' ') + "ZOLTEK COMPUTER INC."));
  EXPECT_FALSE(HasLineStarting(Lines(), "-Bin"));
  // Check boxes agree with the nodes everywhere.
  std::vector<DirNode*> pending{Window().Session().CurrentTree()->RootDir};
  while (!pending.empty()) {
    DirNode* node = pending.back();
    pending.pop_back();
    EXPECT_EQ(Shown(node), node->Checked) << node->FullPath;
    for (DirNode* child : node->Children) pending.push_back(child);
  }
  // Start-up layout and the date of the run.
  EXPECT_EQ(Panel().height(), 0);
  EXPECT_EQ(Window().lbxFileTitle()->y(), 5);
  EXPECT_EQ(Window().ListBox1()->y(), 91);
  EXPECT_EQ(Panel().edtMonth->text(), QStringLiteral("3"));
  EXPECT_EQ(Panel().edtDay->text(), QStringLiteral("1"));
  EXPECT_EQ(Panel().edtYear->text(), QStringLiteral("2024"));
  EXPECT_EQ(Panel().edtIndent->text(), QStringLiteral("25"));
  EXPECT_EQ(Panel().edtGpDepth->text(), QStringLiteral("2"));
  EXPECT_EQ(Window().edtExpand()->text(), QStringLiteral("2"));
  EXPECT_EQ(Window().edtDepth()->text(), QStringLiteral("6"));
  EXPECT_TRUE(Panel().edtIndent->isReadOnly());
  EXPECT_FALSE(Panel().edtLanguage->isEnabled());
  // The templates stay while the window is open, in the program's own
  // folder: nothing is written into the working folder.
  EXPECT_TRUE(Exists(InTemplates("TECHSUPP.ini")));
  EXPECT_TRUE(Exists(InTemplates("FileList_Exp.ini")));
  EXPECT_FALSE(Exists(Disc().InWorking("TECHSUPP.ini")));
  EXPECT_FALSE(Exists(Disc().InWorking("FileList_Exp.ini")));
  EXPECT_EQ(Dialogs().messages.size(), 0u);
}

TEST_F(MainWindowTest, ResizeRuleFromTheOuterSize) {
  Window().showNormal();
  QApplication::processEvents();
  // An outer size of 1000 x 800, whatever frame the platform draws.
  const QSize frame = Window().frameGeometry().size() - Window().size();
  Window().resize(QSize(1000, 800) - frame);
  QApplication::processEvents();
  ASSERT_EQ(Window().frameGeometry().size(), QSize(1000, 800));
  EXPECT_EQ(Window().ListBox1()->size(), QSize(792, 686));
  EXPECT_EQ(Window().lbxFileTitle()->size(), QSize(792, 71));
  EXPECT_EQ(Window().tvFileList()->size(), QSize(191, 697));
  // The left edges and the tree's width stay.
  EXPECT_EQ(Window().ListBox1()->x(), 200);
  EXPECT_EQ(Window().tvFileList()->pos(), QPoint(0, 80));

  // With the panel open the list starts lower and is shorter.
  OpenPanel();
  Window().ApplyResizeRule(1000, 800);
  EXPECT_EQ(Window().ListBox1()->geometry(), QRect(200, 252, 792, 800 - 252 - 23));
}

TEST_F(MainWindowTest, DetailPanelToggleMovesBothPreviews) {
  const int titleHeight = Window().lbxFileTitle()->height();
  const int listHeight = Window().ListBox1()->height();
  Click(Window().sbtShowDetail());
  EXPECT_EQ(Panel().height(), 161);
  EXPECT_TRUE(Panel().isVisible());
  EXPECT_EQ(Window().lbxFileTitle()->y(), 166);
  EXPECT_EQ(Window().ListBox1()->y(), 252);
  // The moved list ends where it ended, above the findings line, so that the
  // line covers neither its last lines nor its scroll bar.
  EXPECT_EQ(Window().ListBox1()->height(), listHeight - 161);
  EXPECT_LE(Window().ListBox1()->geometry().bottom(), Window().lblFindings()->y());
  Click(Window().sbtShowDetail());
  EXPECT_EQ(Panel().height(), 0);
  EXPECT_FALSE(Panel().isVisible());
  EXPECT_EQ(Window().lbxFileTitle()->y(), 5);
  EXPECT_EQ(Window().ListBox1()->y(), 91);
  EXPECT_EQ(Window().lbxFileTitle()->height(), titleHeight);
  EXPECT_EQ(Window().ListBox1()->height(), listHeight);
}

TEST_F(MainWindowTest, IndentStepsRegenerateWithTheNewColumnWidth) {
  OpenPanel();
  StepUp(Panel().UpDown3);
  EXPECT_EQ(Panel().edtIndent->text(), QStringLiteral("30"));
  EXPECT_EQ(Lines()[0], "-Drivers" + std::string(22, ' '));
  EXPECT_TRUE(HasLineStarting(Lines(), "-Contact" + std::string(22, ' ') + "ZOLTEK"));
  for (int i = 0; i < 6; ++i) StepDown(Panel().UpDown3);
  EXPECT_EQ(Panel().edtIndent->text(), QStringLiteral("0"));
  EXPECT_EQ(Lines()[0], "-Drivers  ");
  const std::vector<std::string> atZero = Lines();
  StepDown(Panel().UpDown3);  // below 0: nothing
  EXPECT_EQ(Panel().edtIndent->text(), QStringLiteral("0"));
  EXPECT_EQ(Lines(), atZero);
  // The top of the range is 100.
  for (int i = 0; i < 25; ++i) StepUp(Panel().UpDown3);
  EXPECT_EQ(Panel().edtIndent->text(), QStringLiteral("100"));
  EXPECT_EQ(Lines()[0], "-Drivers" + std::string(92, ' '));
}

TEST_F(MainWindowTest, GroupDepthStepsSetTheBlankLines) {
  OpenPanel();
  const long atTwo = EmptyLines(Lines());
  StepUp(Panel().UpDown4);
  EXPECT_EQ(Panel().edtGpDepth->text(), QStringLiteral("3"));
  EXPECT_GT(EmptyLines(Lines()), atTwo);  // Monitor and Tuner now close groups
  StepDown(Panel().UpDown4);
  StepDown(Panel().UpDown4);
  StepDown(Panel().UpDown4);
  EXPECT_EQ(Panel().edtGpDepth->text(), QStringLiteral("0"));
  EXPECT_EQ(EmptyLines(Lines()), 1);
  EXPECT_EQ(Lines().back(), "");
  StepDown(Panel().UpDown4);
  EXPECT_EQ(Panel().edtGpDepth->text(), QStringLiteral("0"));
  for (int i = 0; i < 12; ++i) StepUp(Panel().UpDown4);
  EXPECT_EQ(Panel().edtGpDepth->text(), QStringLiteral("10"));
}

TEST_F(MainWindowTest, ExpandStepsOpenTheTreeAndLeaveThePreviewAlone) {
  const std::vector<std::string> before = Lines();
  UpDown* expand = Window().UpDown2();
  EXPECT_EQ(expand->Maximum(), 100);
  StepUp(expand);
  EXPECT_EQ(Window().edtExpand()->text(), QStringLiteral("3"));
  EXPECT_TRUE(Window().tvFileList()->isExpanded(Item("Drivers/IntelRAID")));
  EXPECT_EQ(expand->Maximum(), 8);
  for (int i = 0; i < 10; ++i) StepUp(expand);
  EXPECT_EQ(Window().edtExpand()->text(), QStringLiteral("8"));
  for (int i = 0; i < 8; ++i) StepDown(expand);
  EXPECT_EQ(Window().edtExpand()->text(), QStringLiteral("0"));
  EXPECT_FALSE(Window().tvFileList()->isExpanded(Item("")));
  StepUp(expand);
  EXPECT_TRUE(Window().tvFileList()->isExpanded(Item("")));
  EXPECT_FALSE(Window().tvFileList()->isExpanded(Item("Drivers")));
  EXPECT_EQ(Lines(), before);
}

TEST_F(MainWindowTest, CheckBoxClicksReachThePreview) {
  ASSERT_FALSE(Node("Bin")->Checked);
  ClickBox("Bin");
  EXPECT_TRUE(Node("Bin")->Checked);
  EXPECT_TRUE(HasLineStarting(Lines(), "-Bin"));
  ClickBox("Bin");
  EXPECT_FALSE(HasLineStarting(Lines(), "-Bin"));

  // Drivers has checked children: its click is ignored, nothing regenerates.
  QSignalSpy regenerated(Window().ListBox1()->model(), &QAbstractItemModel::modelReset);
  ClickBox("Drivers");
  EXPECT_TRUE(Node("Drivers")->Checked);
  EXPECT_EQ(regenerated.count(), 0);

  // An unchecked folder drops out with its whole subtree.
  ClickBox("Drivers/IntelRAID");
  EXPECT_FALSE(HasLineStarting(Lines(), "  -IntelRAID"));
}

TEST_F(MainWindowTest, CompactUnchecksTheBranchesThatDescribeNothing) {
  FileTreeView* tree = Window().tvFileList();
  tree->setCurrentIndex(Item(""));
  tree->CheckAllAction()->trigger();
  ASSERT_TRUE(Node("Bin")->Checked);
  ASSERT_TRUE(HasLineStarting(Lines(), "-Bin"));
  OpenPanel();
  Click(Panel().btnCompact);
  EXPECT_FALSE(Node("Bin")->Checked);
  EXPECT_FALSE(Shown(Node("Bin")));
  EXPECT_FALSE(HasLineStarting(Lines(), "-Bin"));
  // What stays checked either describes something or holds a checked child.
  std::vector<DirNode*> pending{Window().Session().CurrentTree()->RootDir};
  while (!pending.empty()) {
    DirNode* node = pending.back();
    pending.pop_back();
    if (node->Checked) {
      const bool described = node->Data != nullptr && !node->Data->EntryText.empty();
      EXPECT_TRUE(described || DirStructure::HasCheckedChild(node)) << node->FullPath;
    }
    EXPECT_EQ(Shown(node), node->Checked) << node->FullPath;
    for (DirNode* child : node->Children) pending.push_back(child);
  }
}

// Root, A, B: a chain of folders that describe nothing.
TEST(MainWindowCompact, AnUndescribedChainIsUncheckedFromTheBottomUp) {
  auto disc = std::make_unique<TestDisc>(TestDisc::Content::Minimal);
  disc->AddFolder("A/B");
  const std::string root = disc->Root();
  PreviewSession session(std::move(disc));
  MainWindow& window = session.Window();
  ASSERT_TRUE(window.isVisible());
  DirStructure* tree = window.Session().CurrentTree();
  DirNode* a = tree->FindNode(root + "/A");
  DirNode* b = tree->FindNode(root + "/A/B");
  ASSERT_NE(b, nullptr);
  // The after-analysis step has compacted already: everything is unchecked.
  EXPECT_FALSE(tree->RootDir->Checked);
  EXPECT_FALSE(a->Checked);

  FileTreeView* view = window.tvFileList();
  view->setCurrentIndex(view->Model()->index(0, 0));
  view->CheckAllAction()->trigger();
  ASSERT_TRUE(b->Checked);
  EXPECT_TRUE(std::any_of(window.ListBox1()->Lines().begin(), window.ListBox1()->Lines().end(),
                          [](const std::string& line) { return line.rfind("  -B", 0) == 0; }));
  QTest::mouseClick(window.sbtShowDetail(), Qt::LeftButton);
  QTest::mouseClick(window.panDetail()->btnCompact, Qt::LeftButton);
  EXPECT_FALSE(b->Checked);
  EXPECT_FALSE(a->Checked);
  EXPECT_FALSE(tree->RootDir->Checked);
  EXPECT_EQ(view->Model()->IndexOf(a).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
  EXPECT_TRUE(window.ListBox1()->Lines().empty());
}

TEST_F(MainWindowTest, SaveWritesTheListAndLaterPreviewsKeepHeadingAndContactBlock) {
  OpenPanel();
  Click(Panel().btnSave);
  const std::string target = Disc().InRoot("FileList.txt");
  ASSERT_TRUE(Exists(target));
  EXPECT_TRUE(Dialogs().questions.empty());
  const std::string bytes = ReadFile(target);
  EXPECT_EQ(bytes.rfind(TitleLines()[0] + "\r\n", 0), 0u);
  const std::string footer = "-FileList.txt" + std::string(12, ' ') +
                             "The file you are now reading.\r\n" + std::string(25, ' ') +
                             "3/1/2024\r\n";
  ASSERT_GE(bytes.size(), footer.size());
  EXPECT_EQ(bytes.substr(bytes.size() - footer.size()), footer);
  // The preview shows the lines as written.
  std::string shown;
  for (const std::string& line : TitleLines()) shown += line + "\r\n";
  for (const std::string& line : Lines()) shown += line + "\r\n";
  EXPECT_EQ(shown + footer, bytes);
  // The templates stay for the rest of the preview.
  EXPECT_TRUE(Exists(InTemplates("TECHSUPP.ini")));
  EXPECT_TRUE(Exists(InTemplates("FileList_Exp.ini")));

  // A later Generate still has the heading and the contact block.
  StepUp(Panel().UpDown3);
  StepDown(Panel().UpDown3);
  EXPECT_EQ(TitleLines().size(), 4u);
  EXPECT_TRUE(HasLineStarting(Lines(), "-Contact"));
  EXPECT_TRUE(Dialogs().messages.empty());

  // A second save asks before replacing; Yes writes the same list again.
  Dialogs().yesNoAnswers = {true};
  Panel().edtMonth->setText(QStringLiteral("12"));
  Click(Panel().btnSave);
  ASSERT_EQ(Dialogs().questions.size(), 1u);
  EXPECT_EQ(Dialogs().questions[0].caption, "Zolt Cartulon");
  EXPECT_EQ(Dialogs().questions[0].text,
            "Do you want to overwrite the existed file ?\n" + target);
  EXPECT_TRUE(Dialogs().questions[0].owned);
  const std::string second = ReadFile(target);
  EXPECT_EQ(second.rfind(TitleLines()[0] + "\r\n", 0), 0u);
  EXPECT_NE(second.find("-Contact" + std::string(17, ' ') + "ZOLTEK COMPUTER INC."),
            std::string::npos);
  EXPECT_NE(second.find(std::string(25, ' ') + "12/1/2024\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, DecliningTheReplaceOpensTheSaveDialog) {
  const std::string target = Disc().InRoot("FileList.txt");
  Disc().AddFile("FileList.txt", "old\r\n");
  OpenPanel();
  const std::string mine = Disc().Scratch().Path("mine");
  const std::string named = Disc().Scratch().Path("named.txt");
  const std::string plain = Disc().Scratch().Path("plain");
  Dialogs().yesNoAnswers = {false, false, false, false};
  Dialogs().saveAnswers = {SaveDialogChoice{mine, 1}, SaveDialogChoice{named, 1},
                           SaveDialogChoice{plain, 3}, std::nullopt};
  for (int i = 0; i < 4; ++i) Click(Panel().btnSave);
  EXPECT_EQ(ReadFile(target), "old\r\n");
  EXPECT_TRUE(Exists(mine + ".txt"));
  EXPECT_TRUE(Exists(named));
  EXPECT_FALSE(Exists(named + ".txt"));
  EXPECT_TRUE(Exists(plain));
  ASSERT_EQ(Dialogs().saveDialogFolders.size(), 4u);
  EXPECT_EQ(Dialogs().saveDialogFolders[0], Disc().Root());
  EXPECT_EQ(Dialogs().saveDialogFilters[0], kSaveDialogFilter);
  EXPECT_EQ(Dialogs().unexpected, 0);
  // Cancel wrote nothing and removed nothing.
  EXPECT_TRUE(Exists(InTemplates("TECHSUPP.ini")));
}

TEST_F(MainWindowTest, ClosingTheWindowRemovesTheTemplatesAndEndsTheProgram) {
  const std::string templates = Window().Session().TemplateFolder();
  ASSERT_TRUE(Exists(templates));
  Window().close();
  EXPECT_FALSE(Exists(templates));
  EXPECT_TRUE(session_->control.EndRequested());
}

TEST_F(MainWindowTest, ScdPathCancelChangesNothing) {
  OpenPanel();
  DirStructure* tree = Window().Session().CurrentTree();
  const std::vector<std::string> before = Lines();
  Dialogs().folderAnswers = {""};
  Click(Panel().Button1);
  EXPECT_EQ(Window().Session().CurrentTree(), tree);
  EXPECT_EQ(Lines(), before);
  EXPECT_EQ(Window().Session().ScdPath(), Disc().Root());
  ASSERT_EQ(Dialogs().pickerTitles.size(), 1u);
  EXPECT_EQ(Dialogs().pickerTitles[0], "Please Select the Working Directory!");
}

TEST_F(MainWindowTest, ScdPathAnalysesAnotherFolderWithTheSearchDepth) {
  OpenPanel();
  TempDir other;
  other.MakeFolder("Disc2/Alpha/Inner/Deep");
  other.MakeFolder("Disc2/Beta");
  const std::string root = other.Path("Disc2");

  Window().edtDepth()->setText(QStringLiteral("0"));
  Dialogs().folderAnswers = {root};
  Click(Panel().Button1);
  ASSERT_NE(Window().Session().CurrentTree(), nullptr);
  EXPECT_EQ(Window().Session().ScdPath(), root);
  const QAbstractItemModel* model = Window().tvFileList()->model();
  EXPECT_EQ(model->rowCount(model->index(0, 0)), 0);  // the root alone
  EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("Disc2"));

  Window().edtDepth()->setText(QStringLiteral("1"));
  Dialogs().folderAnswers = {root};
  Click(Panel().Button1);
  const QModelIndex top = model->index(0, 0);
  ASSERT_EQ(model->rowCount(top), 2);
  EXPECT_EQ(model->rowCount(model->index(0, 0, top)), 0);  // not looked into
  // The window stays open and maximised; the old tree is gone from the view.
  EXPECT_TRUE(Window().isVisible());
  EXPECT_TRUE(Window().windowState() & Qt::WindowMaximized);
  EXPECT_EQ(model->rowCount(), 1);
  EXPECT_FALSE(HasLineStarting(Lines(), "-Drivers"));
  EXPECT_TRUE(Panel().Button1->isEnabled());
}

TEST_F(MainWindowTest, ScdPathWithBadSearchDepthKeepsTheTree) {
  OpenPanel();
  DirStructure* tree = Window().Session().CurrentTree();
  const std::vector<std::string> before = Lines();
  Window().edtDepth()->setText(QStringLiteral("six"));
  Dialogs().folderAnswers = {Disc().Scratch().Path("work")};
  Click(Panel().Button1);
  ASSERT_EQ(Dialogs().messages.size(), 1u);
  EXPECT_EQ(Dialogs().messages[0].text, "'six' is not a valid integer value");
  EXPECT_EQ(Dialogs().messages[0].kind, MessageKind::Error);
  EXPECT_EQ(Window().Session().CurrentTree(), tree);
  EXPECT_EQ(Lines(), before);
  // The list still belongs to the disc shown, and a save goes there.
  EXPECT_EQ(Window().Session().ScdPath(), Disc().Root());

  // A negative depth: the model reports it from the worker, no tree is
  // built and the one shown stays.
  Window().edtDepth()->setText(QStringLiteral("-1"));
  Dialogs().folderAnswers = {Disc().Scratch().Path("work")};
  Click(Panel().Button1);
  ASSERT_EQ(Dialogs().messages.size(), 2u);
  EXPECT_EQ(Dialogs().messages[1].caption, "DirStructure");
  EXPECT_EQ(Dialogs().messages[1].text, "Search\xA1\xA1" "Depth must be bigger than or equal to 0.");
  EXPECT_FALSE(Dialogs().messages[1].owned);
  EXPECT_EQ(Window().Session().CurrentTree(), tree);
  EXPECT_EQ(Lines(), before);
  EXPECT_EQ(Window().Session().ScdPath(), Disc().Root());
  EXPECT_TRUE(Window().isVisible());
  EXPECT_TRUE(Panel().Button1->isEnabled());
}

TEST_F(MainWindowTest, AnExpandLevelThatIsNotANumberStopsTheStepAfterBinding) {
  OpenPanel();
  const std::vector<std::string> before = Lines();
  TempDir other;
  other.MakeFolder("Disc3/Only");
  Window().edtExpand()->setText(QStringLiteral("two"));
  Dialogs().folderAnswers = {other.Path("Disc3")};
  Click(Panel().Button1);
  ASSERT_EQ(Dialogs().messages.size(), 1u);
  EXPECT_EQ(Dialogs().messages[0].text, "'two' is not a valid integer value");
  // The new tree is bound; Generate and Compact did not run.
  EXPECT_EQ(Window().tvFileList()->model()->index(0, 0).data().toString(), QStringLiteral("Disc3"));
  EXPECT_EQ(Lines(), before);
  EXPECT_TRUE(Window().Session().CurrentPreview().map.LineNodes.empty());
  EXPECT_TRUE(Panel().Button1->isEnabled());
}

// The window's worker, whose analyses are reported finished only once the
// test lets them go.
class HeldWorker : public AnalysisWorker {
 public:
  void Start(AnalysisJob job, MessageSink& messages) override {
    worker_.Start(std::move(job), messages);
  }
  bool WaitFor(int milliseconds) override { return !held && worker_.WaitFor(milliseconds); }
  AnalysisResult Take() override { return worker_.Take(); }
  bool held = false;

 private:
  ThreadAnalysisWorker worker_;
};

TEST(MainWindowAnalysis, WhileAnAnalysisRunsScdPathCannotStartAnother) {
  if (gui_test::SampleDiscPath().empty()) GTEST_SKIP() << "the sample disc is missing";
  HeldWorker worker;
  PreviewSession session(std::make_unique<TestDisc>(), &worker);
  MainWindow& window = session.Window();
  ASSERT_TRUE(window.isVisible());
  QTest::mouseClick(window.sbtShowDetail(), Qt::LeftButton);
  DirStructure* before = window.Session().CurrentTree();
  TempDir other;
  other.MakeFolder("Other/Only");
  worker.held = true;
  session.dialogs.folderAnswers = {other.Path("Other")};
  // The user closes the progress window at once.
  gui_test::OnShown<LoadingWindow>([](LoadingWindow& loading) { loading.close(); });
  QPushButton* scdPath = window.panDetail()->Button1;
  QTest::mouseClick(scdPath, Qt::LeftButton);
  ASSERT_TRUE(window.Session().AnalysisRunning());
  EXPECT_FALSE(scdPath->isEnabled());
  QTest::mouseClick(scdPath, Qt::LeftButton);
  EXPECT_EQ(session.dialogs.pickerTitles.size(), 1u);
  // Meanwhile the window works on the tree it shows.
  EXPECT_EQ(window.Session().CurrentTree(), before);
  DirNode* bin = before->FindNode(session.Disc().InRoot("Bin"));
  FileTreeView* tree = window.tvFileList();
  tree->scrollTo(tree->Model()->IndexOf(bin));
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->CheckBoxRect(bin).center());
  EXPECT_TRUE(bin->Checked);
  const auto& lines = window.ListBox1()->Lines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.rfind("-Bin", 0) == 0; }));

  worker.held = false;
  ASSERT_TRUE(gui_test::WaitFor([&] { return !window.Session().AnalysisRunning(); }, 120000));
  EXPECT_TRUE(scdPath->isEnabled());
  EXPECT_NE(window.Session().CurrentTree(), before);
  EXPECT_EQ(tree->model()->index(0, 0).data().toString(), QStringLiteral("Other"));
  EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, TheKeyboardSavesAnalysesAgainAndCloses) {
  Window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  QTest::keyClick(&Window(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(Exists(Disc().InRoot("FileList.txt")));
  DirStructure* before = Window().Session().CurrentTree();
  QTest::keyClick(&Window(), Qt::Key_F5);
  EXPECT_NE(Window().Session().CurrentTree(), before);
  EXPECT_EQ(Window().Session().ScdPath(), Disc().Root());
  const std::string templates = Window().Session().TemplateFolder();
  Window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  QTest::keyClick(&Window(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(Window().isVisible());
  EXPECT_TRUE(session_->control.EndRequested());
  EXPECT_FALSE(Exists(templates));
}

TEST_F(MainWindowTest, ProgressWindowShowsTheAnalysisTexts) {
  LoadingWindow* loading = Window().Loading();
  EXPECT_EQ(loading->windowTitle(), QStringLiteral("Zolt Cartulon"));
  EXPECT_EQ(loading->Label1()->text(), QStringLiteral("Now Analyzing Support CD,Please wait..."));
  EXPECT_EQ(loading->size(), QSize(410, 29));
  EXPECT_FALSE(loading->isVisible());
}

}  // namespace
}  // namespace cartulon
