// The program from its entry to its end: every way a run can go from the
// selection dialog, the carried templates, the master-file check, a second
// instance, and the environment the program reads at start-up.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <regex>

#include <sys/stat.h>

#include "gui_test_support.h"
#include "platform/instance_lock.h"
#include "resources/embedded.h"
#include "ui/loading.h"
#include "ui/select_scd.h"
#include "ui/main_window.h"

namespace cartulon {
namespace {

namespace fs = std::filesystem;
using gui_test::Exists;
using gui_test::OnShown;
using gui_test::ReadFile;
using gui_test::RunProgramOn;
using gui_test::ScriptedDialogs;
using gui_test::TestDisc;

void ClickTxt(SCDSelector& d) { QTest::mouseClick(d.btnGen(), Qt::LeftButton); }
void ClickTxtCsv(SCDSelector& d) { QTest::mouseClick(d.btnxls(), Qt::LeftButton); }

std::string CarriedRules() {
  return std::string(*resources::EmbeddedFile("FileList_Exp.ini"));
}

class ProgramEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    if (gui_test::SampleDiscPath().empty()) GTEST_SKIP() << "the sample disc is missing";
  }
  TestDisc disc_;
  ScriptedDialogs dialogs_;
};

TEST_F(ProgramEntry, CancelEndsSilentlyAndTheUsersOwnFilesStay) {
  // Files of the templates' names in the working folder are the user's:
  // the program never writes or removes them.
  disc_.Scratch().WriteFile("work/FileList_Exp.ini", "[edited]\r\n");
  disc_.Scratch().WriteFile("work/TECHSUPP.ini", "my contact\r\n");
  std::string rulesDuringDialog;
  auto run = RunProgramOn(disc_, dialogs_, [&](SCDSelector& d) {
    rulesDuringDialog = ReadFile(disc_.InWorking("FileList_Exp.ini"));
    QTest::mouseClick(d.btnCancel(), Qt::LeftButton);
  });
  EXPECT_EQ(run->exitCode, 0);
  EXPECT_EQ(rulesDuringDialog, "[edited]\r\n");
  EXPECT_EQ(ReadFile(disc_.InWorking("FileList_Exp.ini")), "[edited]\r\n");
  EXPECT_EQ(ReadFile(disc_.InWorking("TECHSUPP.ini")), "my contact\r\n");
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(run->windows.Saw("cartulon::SCDSelector"));
  EXPECT_FALSE(run->windows.Saw("cartulon::LoadingWindow"));
  EXPECT_FALSE(run->windows.Saw("cartulon::MainWindow"));
  EXPECT_FALSE(Exists(disc_.InRoot("FileList.txt")));
  // Cancel records the path box too.
  EXPECT_EQ(disc_.Store().ReadString(kRememberKey, "Folder1"), disc_.RootText());
}

TEST_F(ProgramEntry, TxtFileRunWritesTheListAndNeverShowsTheMainWindow) {
  auto run = RunProgramOn(disc_, dialogs_, [](SCDSelector& d) {
    QTest::keyClick(d.edtSCD(), Qt::Key_Return);  // Enter is TXT File
  });
  EXPECT_EQ(run->exitCode, 0);
  const std::string list = ReadFile(disc_.InRoot("FileList.txt"));
  EXPECT_EQ(list.rfind("File List for the included support software for Z77X-Zolt Motherboard\r\n", 0),
            0u);
  EXPECT_NE(list.find("-Contact" + std::string(17, ' ') + "ZOLTEK COMPUTER INC.\r\n"),
            std::string::npos);
  EXPECT_NE(list.find(std::string(25, ' ') + "3/1/2024\r\n"), std::string::npos);
  EXPECT_FALSE(Exists(disc_.InWorking("TECHSUPP.ini")));
  EXPECT_FALSE(Exists(disc_.InWorking("FileList_Exp.ini")));
  EXPECT_TRUE(run->windows.Saw("cartulon::LoadingWindow"));
  EXPECT_FALSE(run->windows.Saw("cartulon::MainWindow"));
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_FALSE(Exists(disc_.InRoot("DriverInformation.csv")));
}

TEST_F(ProgramEntry, TxtFileRunAsksBeforeReplacingAndEndsEvenWhenTheUserDeclines) {
  disc_.AddFile("FileList.txt", "old\r\n");
  dialogs_.yesNoAnswers = {false};
  dialogs_.saveAnswers = {std::nullopt};
  auto run = RunProgramOn(disc_, dialogs_, ClickTxt);
  EXPECT_EQ(run->exitCode, 0);
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(dialogs_.questions[0].caption, "Zolt Cartulon");
  EXPECT_EQ(dialogs_.questions[0].text,
            "Do you want to overwrite the existed file ?\n" + disc_.InRoot("FileList.txt"));
  EXPECT_EQ(ReadFile(disc_.InRoot("FileList.txt")), "old\r\n");
  ASSERT_EQ(dialogs_.saveDialogFolders.size(), 1u);
  EXPECT_EQ(dialogs_.saveDialogFolders[0], disc_.Root());
  EXPECT_FALSE(Exists(disc_.InWorking("TECHSUPP.ini")));
  EXPECT_FALSE(run->windows.Saw("cartulon::MainWindow"));

  TestDisc again;
  again.AddFile("FileList.txt", "old\r\n");
  ScriptedDialogs yes;
  yes.yesNoAnswers = {true};
  auto second = RunProgramOn(again, yes, ClickTxt);
  EXPECT_NE(ReadFile(again.InRoot("FileList.txt")), "old\r\n");
  EXPECT_FALSE(Exists(again.InWorking("TECHSUPP.ini")));
}

TEST_F(ProgramEntry, QuestionsComeInTheSystemLanguage) {
  ::setenv("LANG", "zh_CN.UTF-8", 1);
  disc_.AddFile("FileList.txt", "old\r\n");
  dialogs_.yesNoAnswers = {true};
  auto run = RunProgramOn(disc_, dialogs_, ClickTxt);
  ::setenv("LANG", "C.UTF-8", 1);
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(dialogs_.questions[0].caption, "ZoltCartulon");
  EXPECT_EQ(dialogs_.questions[0].text,
            "您想覆盖以下已经存在的档案吗?\n" + disc_.InRoot("FileList.txt"));
}

TEST_F(ProgramEntry, TxtAndCsvRunReplacesTheListWithoutAskingAndWritesTheCsvBesideIt) {
  // The program lies outside the disc: the table still goes beside the list
  // that was just written, not into the program's parent folder.
  const std::string program = disc_.Scratch().MakeFolder("tools/Bin");
  fs::copy_file(disc_.Bin() + "/Zscdinst.ini", program + "/Zscdinst.ini");
  disc_.Env().programFolder = program;
  disc_.AddFile("FileList.txt", "old\r\n");
  auto run = RunProgramOn(disc_, dialogs_, [&](SCDSelector& d) {
    d.SetPathText(disc_.RootText());
    ClickTxtCsv(d);
  });
  EXPECT_EQ(run->exitCode, 0);
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_NE(ReadFile(disc_.InRoot("FileList.txt")), "old\r\n");
  const std::string csv = ReadFile(disc_.InRoot("DriverInformation.csv"));
  EXPECT_EQ(csv.rfind("Intel,Chipset Driver,9.3.0.1019,XP 32bit & ", 0), 0u);
  EXPECT_EQ(csv.back(), '\n');
  EXPECT_FALSE(Exists(disc_.Scratch().Path("tools/DriverInformation.csv")));
  EXPECT_FALSE(run->windows.Saw("cartulon::MainWindow"));
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(ProgramEntry, TxtAndCsvRunAsksBeforeReplacingTheTable) {
  disc_.AddFile("DriverInformation.csv", "old\r\n");
  const std::string chosen = disc_.Scratch().Path("drivers.csv");
  dialogs_.yesNoAnswers = {false};
  dialogs_.saveAnswers = {SaveDialogChoice{chosen, 2}};
  auto run = RunProgramOn(disc_, dialogs_, ClickTxtCsv);
  EXPECT_EQ(run->exitCode, 0);
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(dialogs_.questions[0].text,
            "Do you want to overwrite the existed file ?\n" + disc_.InRoot("DriverInformation.csv"));
  EXPECT_EQ(ReadFile(disc_.InRoot("DriverInformation.csv")), "old\r\n");
  EXPECT_TRUE(Exists(chosen));
  EXPECT_FALSE(Exists(chosen + ".csv"));
  ASSERT_EQ(dialogs_.saveDialogFolders.size(), 1u);
  EXPECT_EQ(dialogs_.saveDialogFolders[0], disc_.Root());

  TestDisc yesDisc;
  yesDisc.AddFile("DriverInformation.csv", "old\r\n");
  ScriptedDialogs yes;
  yes.yesNoAnswers = {true};
  RunProgramOn(yesDisc, yes, ClickTxtCsv);
  EXPECT_NE(ReadFile(yesDisc.InRoot("DriverInformation.csv")), "old\r\n");
}

TEST_F(ProgramEntry, PreviewRunOpensTheMainWindowInTheLoopAndItsCloseEndsTheProgram) {
  bool maximised = false;
  bool templatesWhileOpen = false;
  std::string templates;
  auto run = RunProgramOn(
      disc_, dialogs_, [](SCDSelector& d) { QTest::mouseClick(d.Button2(), Qt::LeftButton); },
      [&](MainWindow& window) {
        maximised = window.windowState() & Qt::WindowMaximized;
        templates = window.Session().TemplateFolder();
        templatesWhileOpen = Exists(templates + "/TECHSUPP.ini");
      });
  EXPECT_EQ(run->exitCode, 0);
  EXPECT_TRUE(run->mainLoopRan);
  EXPECT_TRUE(maximised);
  EXPECT_TRUE(templatesWhileOpen);
  EXPECT_FALSE(Exists(templates));
  EXPECT_FALSE(Exists(disc_.InWorking("TECHSUPP.ini")));
  EXPECT_FALSE(Exists(disc_.InWorking("FileList_Exp.ini")));
  EXPECT_FALSE(Exists(disc_.InRoot("FileList.txt")));
}

TEST_F(ProgramEntry, AMistypedFolderIsNamedAndTheDialogComesBackWithIt) {
  const std::string typo = disc_.Root() + "-typo";
  int shown = 0;
  std::string secondText;
  std::function<void(SCDSelector&)> answer = [&](SCDSelector& d) {
    if (++shown == 1) {
      d.SetPathText(typo);
      QTest::mouseClick(d.Button2(), Qt::LeftButton);
      OnShown<SCDSelector>(answer);
      return;
    }
    secondText = d.PathText();
    d.SetPathText(disc_.RootText());
    ClickTxt(d);
  };
  auto run = RunProgramOn(disc_, dialogs_, answer);
  EXPECT_EQ(run->exitCode, 0);
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(secondText, typo);
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text, "The folder " + typo + " does not exist.");
  EXPECT_TRUE(Exists(disc_.InRoot("FileList.txt")));
  // Only the folder that was used is remembered.
  EXPECT_EQ(disc_.Store().ReadString(kRememberKey, "Folder1"), disc_.RootText());
  EXPECT_EQ(disc_.Store().ReadString(kRememberKey, "Folder2"), "");
}

TEST_F(ProgramEntry, ClosingTheProgressWindowEarlyStillCarriesOutTheRun) {
  auto run = RunProgramOn(disc_, dialogs_, [](SCDSelector& d) {
    OnShown<LoadingWindow>([](LoadingWindow& loading) { loading.close(); });
    ClickTxt(d);
  });
  EXPECT_EQ(run->exitCode, 0);
  EXPECT_TRUE(Exists(disc_.InRoot("FileList.txt")));
  EXPECT_FALSE(run->windows.Saw("cartulon::MainWindow"));
}

TEST(ProgramEntryMasterFile, MissingMasterFileIsReportedAndEndsTheRun) {
  TestDisc disc(TestDisc::Content::Minimal);
  fs::remove(disc.Bin() + "/Zscdinst.ini");
  ScriptedDialogs dialogs;
  auto run = RunProgramOn(disc, dialogs, [&](SCDSelector& d) {
    d.edtSCD()->setText(QString::fromStdString(disc.Root()));  // no trailing delimiter
    ClickTxt(d);
  });
  EXPECT_EQ(run->exitCode, 0);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].caption, "Zolt Cartulon");
  EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
  EXPECT_FALSE(dialogs.messages[0].owned);
  EXPECT_EQ(dialogs.messages[0].text, disc.Root() + "/Bin/Zscdinst.ini or \n" + disc.Bin() +
                                          "/Zscdinst.ini not found!");
  EXPECT_FALSE(Exists(disc.InWorking("TECHSUPP.ini")));
  EXPECT_FALSE(Exists(disc.InWorking("FileList_Exp.ini")));
  EXPECT_FALSE(run->windows.Saw("cartulon::LoadingWindow"));
  EXPECT_FALSE(Exists(disc.InRoot("FileList.txt")));
}

TEST(ProgramEntryMasterFile, WithATrailingDelimiterTheMasterPathIsTheSame) {
  TestDisc disc(TestDisc::Content::Minimal);
  fs::remove(disc.Bin() + "/Zscdinst.ini");
  ScriptedDialogs dialogs;
  RunProgramOn(disc, dialogs, [&](SCDSelector& d) {
    d.edtSCD()->setText(QString::fromStdString(disc.RootText()));
    ClickTxt(d);
  });
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text.rfind(disc.Root() + "/Bin/Zscdinst.ini or \n", 0), 0u);
}

TEST(ProgramEntryMasterFile, AnEmptyPathBoxGetsTheNotFoundMessage) {
  TestDisc disc(TestDisc::Content::Minimal);
  ScriptedDialogs dialogs;
  auto run = RunProgramOn(disc, dialogs, [](SCDSelector& d) {
    d.edtSCD()->clear();
    ClickTxt(d);
  });
  EXPECT_EQ(run->exitCode, 0);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find(" or \n" + disc.Bin() + "/Zscdinst.ini not found!"),
            std::string::npos);
  EXPECT_FALSE(run->windows.Saw("cartulon::LoadingWindow"));
  // The empty path is remembered as an empty first entry.
  EXPECT_EQ(disc.Store().ReadString(kRememberKey, "Folder1"), "");
}

TEST(ProgramEntryMasterFile, AMasterFileBesideTheProgramIsEnough) {
  TestDisc disc(TestDisc::Content::Minimal);
  const std::string program = disc.Scratch().MakeFolder("prog");
  fs::rename(disc.Bin() + "/Zscdinst.ini", program + "/Zscdinst.ini");
  disc.Env().programFolder = program;
  disc.AddFolder("Drivers/LAN");
  ScriptedDialogs dialogs;
  auto run = RunProgramOn(disc, dialogs, [&](SCDSelector& d) {
    d.SetPathText(disc.RootText());
    ClickTxt(d);
  });
  EXPECT_EQ(run->exitCode, 0);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(Exists(disc.InRoot("FileList.txt")));
}

// The working folder is only read from: a folder where a template's name
// would go does not stop a run, and the files given in place of the
// carried templates are used where they lie.
TEST(ProgramEntryTemplates, TheWorkingFolderIsNeverWrittenAndGivenTemplatesAreUsed) {
  TestDisc disc(TestDisc::Content::Sample);
  if (gui_test::SampleDiscPath().empty()) GTEST_SKIP() << "the sample disc is missing";
  disc.Scratch().MakeFolder("work/TECHSUPP.ini");
  const std::string rules = disc.Scratch().WriteFile(
      "mine/rules.ini",
      std::regex_replace(CarriedRules(), std::regex("FileTitle=[^\r]*"),
                         "FileTitle=Custom list for <%1>"));
  DesktopOptions options;
  options.rulesFile = rules;
  ScriptedDialogs dialogs;
  auto run = RunProgramOn(disc, dialogs, ClickTxt, {}, options);
  EXPECT_EQ(run->exitCode, 0);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(ReadFile(disc.InRoot("FileList.txt")).rfind("Custom list for Z77X-Zolt\r\n", 0), 0u);
  EXPECT_EQ(std::distance(fs::directory_iterator(disc.Working()), {}), 1);
  EXPECT_TRUE(fs::is_directory(disc.InWorking("TECHSUPP.ini")));
}

TEST(ProgramEntryTemplates, AContactFileThatCannotBeReadEndsTheStart) {
  TestDisc disc(TestDisc::Content::Minimal);
  DesktopOptions options;
  options.contactFile = disc.Scratch().Path("missing/TECHSUPP.ini");
  ScriptedDialogs dialogs;
  auto run = RunProgramOn(disc, dialogs, {}, {}, options);
  EXPECT_EQ(run->exitCode, 0);
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.messages.back().text, "cannot read " + options.contactFile);
  EXPECT_EQ(dialogs.messages.back().caption, "Zolt Cartulon");
  EXPECT_FALSE(run->windows.Saw("cartulon::SCDSelector"));
  EXPECT_FALSE(run->windows.Saw("cartulon::MainWindow"));
}

// An exception that escapes an event handler is shown with the title and
// the program goes on.
TEST(ProgramApplication, ExceptionsFromHandlersAreShown) {
  class Throwing : public QObject {
   protected:
    bool event(QEvent*) override { throw std::runtime_error("disc vanished"); }
  };
  auto* app = dynamic_cast<CartulonApplication*>(qApp);
  ASSERT_NE(app, nullptr);
  ScriptedDialogs dialogs;
  app->SetReporter(&dialogs);
  Throwing target;
  QEvent event(QEvent::User);
  QCoreApplication::sendEvent(&target, &event);
  app->SetReporter(nullptr);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].caption, "Zolt Cartulon");
  EXPECT_EQ(dialogs.messages[0].text, "disc vanished");
}

TEST(StartupEnvironmentTest, ProgramFolderWorkingFolderAndDate) {
  ::unsetenv(kTodayOverrideVariable);
  StartupEnvironment env = ReadStartupEnvironment();
  EXPECT_EQ(env.programFolder, QCoreApplication::applicationDirPath().toStdString());
  EXPECT_EQ(env.workingFolder, QDir::currentPath().toStdString());
  const QDate today = QDate::currentDate();
  EXPECT_EQ(env.today.year, today.year());

  ::setenv(kTodayOverrideVariable, "07/04/2014", 1);
  env = ReadStartupEnvironment();
  EXPECT_EQ(env.today.month, 7);
  EXPECT_EQ(env.today.day, 4);
  EXPECT_EQ(env.today.year, 2014);
  ::setenv(kTodayOverrideVariable, "2/30/2024", 1);  // not a date: today's is used
  EXPECT_EQ(ReadStartupEnvironment().today.year, today.year());
  ::unsetenv(kTodayOverrideVariable);

}

// The real program, twice: the second start ends at once, silently, with
// status 0 while the first waits in its selection dialog.
TEST(ProgramProcess, ASecondInstanceExitsAtOnceWithStatusZero) {
  TempDir dir;
  const std::string runtime = dir.MakeFolder("runtime");
  ::chmod(runtime.c_str(), 0700);
  const std::string temporary = dir.MakeFolder("tmp");
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("TMPDIR"), QString::fromStdString(temporary));
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime));
  env.insert(QStringLiteral("CARTULON_STORE"), QString::fromStdString(dir.Path("store.ini")));
  const QString working = QString::fromStdString(dir.MakeFolder("work"));

  QProcess first;
  first.setProcessEnvironment(env);
  first.setWorkingDirectory(working);
  first.start(QStringLiteral(CARTULON_PROGRAM), {});
  ASSERT_TRUE(first.waitForStarted(10000));
  // The templates are placed after the lock is taken, in a folder of the
  // program's own under TMPDIR: once they are there, the first instance
  // holds the lock and waits for the user. (Probing the lock before that
  // would take it from the starting program.)
  const auto placed = [&] {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(temporary, ec)) {
      if (Exists((entry.path() / "TECHSUPP.ini").string())) return true;
    }
    return false;
  };
  ASSERT_TRUE(gui_test::WaitFor(placed, 60000));
  {
    InstanceLock probe;
    EXPECT_EQ(probe.Acquire(kInstanceLockName, runtime), LockResult::HeldElsewhere);
  }

  QProcess second;
  second.setProcessEnvironment(env);
  second.setWorkingDirectory(working);
  second.start(QStringLiteral(CARTULON_PROGRAM), {});
  ASSERT_TRUE(second.waitForFinished(60000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
  EXPECT_TRUE(second.readAllStandardError().isEmpty());
  // The first one goes on, waiting for the user.
  EXPECT_EQ(first.state(), QProcess::Running);

  // Nothing went into the working folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(working.toStdString()), {}), 0);
  first.kill();
  first.waitForFinished(10000);
  // A killed instance leaves no lock behind.
  InstanceLock after;
  EXPECT_EQ(after.Acquire(kInstanceLockName, runtime), LockResult::Acquired);
}

}  // namespace
}  // namespace cartulon
