// The disc check on small discs made in each test: every finding where it
// applies and nowhere else, with the folder it belongs to and the words
// that say why, in the order of the list.
#include "shell/disc_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "output/layout_rules.h"
#include "platform/message_sink.h"
#include "shell/analysis.h"
#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

namespace fs = std::filesystem;

// Every tag of Windows 7, 32-bit first: eight INI lines.
std::string Win7Tags(bool with32 = true, bool with64 = true) {
  std::string text;
  if (with32)
    text += "WNT_6.1P_32=1\r\nWNT_6.1P_32_MCE=1\r\nWNT_6.1H_32=1\r\nWNT_6.1H_32_MCE=1\r\n";
  if (with64)
    text += "WNT_6.1P_64=1\r\nWNT_6.1P_64_MCE=1\r\nWNT_6.1H_64=1\r\nWNT_6.1H_64_MCE=1\r\n";
  return text;
}

// An installer file with a version, a certification and the given tags.
std::string Installer(const std::string& tags,
                      const std::string& info = "Version=1.0\r\nPassWHQL=1\r\n") {
  return "[Root]\r\nInstallType=0\r\n[InstAllInfo]\r\n" + info + "[OS_Language_Tag]\r\n" + tags;
}

class DiscCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = outer_.MakeFolder("disc");
    outer_.WriteFile(
        "disc/Bin/Zscdinst.ini",
        "[OS_Language_Tag]\r\nWNT_6.1P_32=Win7_32\r\nWNT_6.1P_64=Win7_64\r\n"
        "WNT_6.3P_64=Win81_64\r\n[InstAll]\r\nWin7_32=1\r\nWin7_64=1\r\nWin81_64=0\r\n");
    rules_ = work_.WriteFile(kRulesFileName,
                             "[ShowAllDir]\r\n.\\Drivers=\r\n[HideSubDir]\r\n.\\Bin=\r\n");
    inputs_.rulesFilePath = rules_;
    inputs_.masters.programFolder = work_.Path("program");
    inputs_.masters.cdMasterPath = outer_.Path("disc/Bin/Zscdinst.ini");
  }

  // A complete installer package below the disc root.
  void Package(const std::string& rel, const std::string& setup,
               const std::string& title = "Tool") {
    Write(rel + "/ZoltSetup.ini", setup);
    Write(rel + "/English.ini", "[Default]\r\nTitle=" + title + "\r\n");
  }
  std::string Write(const std::string& rel, const std::string& bytes) {
    return outer_.WriteFile("disc/" + rel, bytes);
  }

  std::vector<Finding> Check() {
    tree_ = RunAnalysis(root_, 6, rules_, messages_);
    return CheckDisc(*tree_, inputs_);
  }

  static std::vector<std::string> Lines(const std::vector<Finding>& findings) {
    std::vector<std::string> lines;
    for (const Finding& f : findings) {
      lines.push_back(std::string(f.severity == Severity::Error ? "error " : "warning ") + f.code +
                      " " + f.path);
    }
    return lines;
  }
  static std::vector<Finding> WithCode(const std::vector<Finding>& findings,
                                       std::string_view code) {
    std::vector<Finding> found;
    std::copy_if(findings.begin(), findings.end(), std::back_inserter(found),
                 [&](const Finding& f) { return f.code == code; });
    return found;
  }
  static bool Says(const Finding& finding, const std::string& words) {
    return finding.message.find(words) != std::string::npos;
  }

  TempDir outer_;
  TempDir work_;
  std::string root_;
  std::string rules_;
  CheckInputs inputs_;
  RecordingMessageSink messages_;
  std::unique_ptr<DirStructure> tree_;
};

TEST_F(DiscCheckTest, ACleanDiscGivesNoFindingAndKeepsEveryCheckState) {
  Package("Drivers/Audio", Installer(Win7Tags()), "Sound Driver");
  Write("Drivers/Tool/Readme.ini", "[Information]\r\nTool_Name=Helper\r\n");
  Write("Drivers/App/AppSetup.ini", "[Setup]\r\nName=App\r\nVersion=2.0\r\n");
  // Sub-installs, one of them in a neighbouring package folder.
  Write(
      "Drivers/Multi/ZoltSetup.ini",
      "[Root]\r\nInstallType=4\r\n[MultiInstall]\r\nPrimaryInstall=1\r\nPath1a=A,x86\\Setup.ini\r\n"
      "Path1b=B,..\\Audio\\ZoltSetup.ini\r\nPath2=C,Gone\\Setup.ini\r\n");
  Write("Drivers/Multi/x86/Setup.ini", Installer(Win7Tags(true, false)));
  Write("Drivers/Multi/English.ini", "[Default]\r\nTitle=Multi\r\n");
  Write("Bin/Broken/ZoltSetup.ini", "[Root]\r\nInstallType=0\r\n");   // hidden: not looked at
  Write("Drivers/USB/ZoltSetup.ini", "[Root]\r\nInstallType=0\r\n");  // unchecked by its name

  tree_ = RunAnalysis(root_, 6, rules_, messages_);
  std::vector<std::pair<const DirNode*, bool>> before;
  std::vector<const DirNode*> pending{tree_->RootDir};
  while (!pending.empty()) {
    const DirNode* node = pending.back();
    pending.pop_back();
    before.emplace_back(node, node->Checked);
    pending.insert(pending.end(), node->Children.begin(), node->Children.end());
  }
  const std::vector<Finding> findings = CheckDisc(*tree_, inputs_);
  EXPECT_TRUE(findings.empty()) << ::testing::PrintToString(Lines(findings));
  for (const auto& [node, checked] : before) EXPECT_EQ(node->Checked, checked) << node->FullPath;
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(DiscCheckTest, NoDescriptionSaysWhyAndWhatCompactDoes) {
  // Three of the four Windows 7 32-bit tags, on a disc that installs it.
  Package("Drivers/LAN", Installer("WNT_6.1P_32=1\r\nWNT_6.1P_32_MCE=1\r\nWNT_6.1H_32=1\r\n"));
  // Every Windows 8.1 64-bit tag, which this disc does not install.
  Package("Drivers/Wifi", Installer("WNT_6.3P_64=\r\nWNT_6.3P_64_MCE=\r\nWNT_6.3H_64=\r\n"
                                    "WNT_6.3H_64_MCE=\r\n"));
  // A tool file that says nothing, above a described sub-folder.
  Write("Drivers/Kit/Readme.ini", "[Information]\r\nOther=1\r\n");
  Write("Drivers/Kit/Part/Readme.ini", "[Information]\r\nTool_Name=Part\r\n");
  // A folder without a package file is no package.
  outer_.MakeFolder("disc/Drivers/Empty");

  const std::vector<Finding> findings = WithCode(Check(), check_code::kNoDescription);
  ASSERT_EQ(Lines(findings), (std::vector<std::string>{"error no-description Drivers\\Kit",
                                                       "error no-description Drivers\\LAN",
                                                       "error no-description Drivers\\Wifi"}));
  EXPECT_TRUE(Says(findings[0], "none of Tool_Name, Tool_Version and Description"));
  EXPECT_TRUE(Says(findings[0], "stays in the list as a bare name above its checked sub-folders"));
  EXPECT_TRUE(Says(findings[1], "adding WNT_6.1H_32_MCE would make Win7 32bit qualify"));
  EXPECT_TRUE(Says(findings[1], "Compact drops the folder from the list"));
  EXPECT_TRUE(Says(findings[2], "does not install Win8.1 64bit")) << findings[2].message;
  EXPECT_EQ(findings[1].node, tree_->FindNode(outer_.Path("disc/Drivers/LAN")));
}

TEST_F(DiscCheckTest, NoEnglishFileOnlyWhereZoltSetupIsTheChosenFileOfAListedFolder) {
  Write("Drivers/Net/ZoltSetup.ini", Installer(Win7Tags()));
  Write("Drivers/Tool/ZoltSetup.ini", Installer(Win7Tags()));  // Readme.ini is chosen
  Write("Drivers/Tool/Readme.ini", "[Information]\r\nTool_Name=Tool\r\n");
  Write("Bin/Hidden/ZoltSetup.ini", Installer(Win7Tags()));

  const std::vector<Finding> findings = Check();
  EXPECT_EQ(Lines(findings), (std::vector<std::string>{"error no-description Drivers\\Net",
                                                       "error no-english-file Drivers\\Net"}));
  EXPECT_TRUE(Says(findings[0], "there is no English.ini beside ZoltSetup.ini"));
}

TEST_F(DiscCheckTest, MissingSourceForEachAbsentSourceAndAnEmptyMultiInstall) {
  // InstallPath is read last line first: the existing source is the first
  // record, so the line keeps its description.
  Package("Drivers/VGA",
          "[InstallPath]\r\n1=Old,Win7_64\\Setup.ini\r\n2=New,Win7_32\\Setup.ini\r\n");
  Write("Drivers/VGA/Win7_32/Setup.ini", Installer(Win7Tags(true, false)));
  Package("Drivers/Raid",
          "[Root]\r\nInstallType=4\r\n[MultiInstall]\r\nPrimaryInstall=2\r\n"
          "Path1=A,a.ini\r\n");

  const std::vector<Finding> findings = Check();
  EXPECT_EQ(Lines(findings), (std::vector<std::string>{"error no-description Drivers\\Raid",
                                                       "error missing-source Drivers\\Raid",
                                                       "error missing-source Drivers\\VGA"}));
  EXPECT_TRUE(Says(findings[1], "[MultiInstall] of ZoltSetup.ini yields no install source"));
  EXPECT_TRUE(Says(findings[1], "\"Path2\""));
  EXPECT_TRUE(Says(findings[2], "Win7_64\\Setup.ini named in [InstallPath]"));
}

TEST_F(DiscCheckTest, OutsideDiscForASourceThatLeavesTheRootAndNotMissingSource) {
  outer_.WriteFile("secret.ini", Installer(Win7Tags()));
  Package("Drivers/Leak",
          "[InstallPath]\r\n1=Far,..\\..\\..\\secret.ini\r\n"
          "2=Near,Setup\\Setup.ini\r\n");
  Write("Drivers/Leak/Setup/Setup.ini", Installer(Win7Tags()));
  // Up and down again inside the disc is fine.
  Package("Drivers/Shared", "[InstallPath]\r\n1=Common,..\\Leak\\Setup\\Setup.ini\r\n");

  const std::vector<Finding> findings = Check();
  ASSERT_EQ(Lines(findings), (std::vector<std::string>{"error outside-disc Drivers\\Leak"}));
  EXPECT_TRUE(Says(findings[0],
                   "..\\..\\..\\secret.ini named in [InstallPath] of ZoltSetup.ini "
                   "leads outside the disc; it is not read"));
}

TEST_F(DiscCheckTest, OutsideDiscForASourceReachedThroughALinkOutOfTheDisc) {
  if (!test_support::CanCreateSymbolicLinks()) GTEST_SKIP() << "no symbolic links here";
  outer_.WriteFile("elsewhere/Setup.ini", Installer(Win7Tags()));
  Package("Drivers/Linked", "[InstallPath]\r\n1=Linked,Out\\Setup.ini\r\n2=Near,Setup.ini\r\n");
  Write("Drivers/Linked/Setup.ini", Installer(Win7Tags()));
  fs::create_directory_symlink(outer_.Path("elsewhere"), outer_.Path("disc/Drivers/Linked/Out"));

  const std::vector<Finding> outside = WithCode(Check(), check_code::kOutsideDisc);
  ASSERT_FALSE(outside.empty());
  EXPECT_TRUE(std::any_of(outside.begin(), outside.end(), [](const Finding& f) {
    return f.path == "Drivers\\Linked" && Says(f, "the install source Out\\Setup.ini");
  }));
  EXPECT_TRUE(WithCode(Check(), check_code::kMissingSource).empty());
}

TEST_F(DiscCheckTest, BadWhqlWhenTheStatusIsNotZeroOrOne) {
  Package("Drivers/A", Installer(Win7Tags(), "Version=1\r\nPassWHQL=yes\r\n"));
  Package("Drivers/B", Installer(Win7Tags(), "Version=1\r\nPassWHQL=1\r\nPassVistaWHQL=x\r\n"));
  Package("Drivers/C", Installer(Win7Tags(), "Version=1\r\nPassVistaWHQL=2\r\n"));
  Package("Drivers/D", Installer(Win7Tags(), "Version=1\r\nPassWHQL=3\r\nPassVistaWHQL=1\r\n"));
  Package("Drivers/E", Installer(Win7Tags(), "Version=1\r\nPassWHQL=1\r\nPassVistaWHQL=0\r\n"));
  Package("Drivers/F", Installer(Win7Tags(), "Version=1\r\n"));

  const std::vector<Finding> findings = Check();
  EXPECT_EQ(Lines(findings),
            (std::vector<std::string>{"error bad-whql Drivers\\A", "error bad-whql Drivers\\B",
                                      "error bad-whql Drivers\\C"}));
  EXPECT_TRUE(Says(findings[0], "ZoltSetup.ini gives PassWHQL=yes, which is neither 0 nor 1"));
  EXPECT_TRUE(Says(findings[1], "are not both decimal integers"));
  EXPECT_TRUE(Says(findings[2], "PassVistaWHQL=2"));
  EXPECT_TRUE(Says(findings[2], "no certification suffix"));
}

TEST_F(DiscCheckTest, UnreadableFileThatIsListedButCannotBeOpened) {
  if (!test_support::CanCreateSymbolicLinks()) GTEST_SKIP() << "no symbolic links here";
  Package("Drivers/Ok", Installer(Win7Tags()));
  // A link to nothing: the folder lists the name, but it cannot be opened.
  outer_.MakeFolder("disc/Drivers/Ok2");
  fs::create_symlink(outer_.Path("nowhere.ini"), outer_.Path("disc/Drivers/Ok2/Readme.ini"));
  const std::vector<Finding> findings = Check();
  EXPECT_EQ(Lines(findings), (std::vector<std::string>{"error no-description Drivers\\Ok2",
                                                       "error unreadable Drivers\\Ok2"}));
  EXPECT_TRUE(Says(findings[1], "Readme.ini cannot be read"));
  EXPECT_TRUE(Says(findings[0], "Readme.ini cannot be read"));
}

TEST_F(DiscCheckTest, UnreadableFolder) {
  Package("Drivers/Ok", Installer(Win7Tags()));
  const std::string locked = outer_.MakeFolder("disc/Drivers/Locked");
  outer_.WriteFile("disc/Drivers/Locked/Sub/Readme.ini", "[Information]\r\nTool_Name=X\r\n");
  fs::permissions(locked, fs::perms::all, fs::perm_options::remove);
  const auto lines = test_support::RunAsOrdinaryUser([this] { return Lines(Check()); });
  fs::permissions(locked, fs::perms::owner_all, fs::perm_options::add);
  if (!lines) GTEST_SKIP() << "cannot run as an ordinary user";
  EXPECT_EQ(*lines, (std::vector<std::string>{"error unreadable Drivers\\Locked"}));
}

TEST_F(DiscCheckTest, PartialOSGroupNamesTheGroupAndTheMissingTags) {
  // Windows 7 64-bit is complete, so the line is described; 32-bit lacks two.
  Package("Drivers/Chip", Installer("WNT_6.1P_32=1\r\nWNT_6.1H_32=1\r\n" + Win7Tags(false, true)));
  Package("Drivers/Full", Installer(Win7Tags()));
  const std::vector<Finding> findings = Check();
  ASSERT_EQ(Lines(findings), (std::vector<std::string>{"warning partial-os-group Drivers\\Chip"}));
  EXPECT_TRUE(Says(findings[0],
                   "ZoltSetup.ini lists 2 of the 4 Win7 32bit tags "
                   "(WNT_6.1P_32_MCE, WNT_6.1H_32_MCE are missing)"));
  EXPECT_TRUE(Says(findings[0], "does not name Win7 32bit"));
}

TEST_F(DiscCheckTest, UnknownOSTagForEachKeyOutsideTheTable) {
  Package("Drivers/Odd", Installer(Win7Tags() + "WNT_6.1P_23=1\r\nwnt_6.1p_32=1\r\n"
                                                "WNT_10.0=1\r\n"));
  const std::vector<Finding> findings = Check();
  EXPECT_EQ(Lines(findings), (std::vector<std::string>{"warning unknown-os-tag Drivers\\Odd",
                                                       "warning unknown-os-tag Drivers\\Odd"}));
  EXPECT_TRUE(Says(findings[0], "WNT_6.1P_23"));
  EXPECT_TRUE(Says(findings[1], "WNT_10.0"));
}

TEST_F(DiscCheckTest, NoTitleWhenEnglishIniHasNone) {
  Write("Drivers/Nameless/ZoltSetup.ini", Installer(Win7Tags()));
  Write("Drivers/Nameless/English.ini", "[Default]\r\nOther=1\r\n");
  const std::vector<Finding> findings = Check();
  ASSERT_EQ(Lines(findings), (std::vector<std::string>{"warning no-title Drivers\\Nameless"}));
  EXPECT_TRUE(Says(findings[0], "\"...\""));
}

TEST_F(DiscCheckTest, SourcesNamedOnLinesInARowAreCheckedAsEachLineNamesThem) {
  // Three lines name one file, then one line another: the records of the
  // run are checked source by source, as every line had a record.
  Write("Drivers/Many/ZoltSetup.ini",
        "[InstallPath]\r\n1=A,Gone\\Setup.ini\r\n2=A,Sub\\Setup.ini\r\n"
        "3=A,Sub\\Setup.ini\r\n4=A,Sub\\Setup.ini\r\n");
  Write("Drivers/Many/Sub/Setup.ini", Installer(Win7Tags(true, false)));
  Write("Drivers/Many/English.ini", "[Default]\r\nOther=1\r\n");
  const std::vector<Finding> findings = Check();
  ASSERT_EQ(Lines(findings), (std::vector<std::string>{"error missing-source Drivers\\Many",
                                                       "warning no-title Drivers\\Many"}));
  EXPECT_TRUE(Says(findings[0], "Gone\\Setup.ini named in [InstallPath]"));
}

TEST_F(DiscCheckTest, NoVersionForInstallerAndSetupRecordsButNotForTools) {
  Package("Drivers/Inst", Installer(Win7Tags(), "PassWHQL=1\r\n"));
  Write("Drivers/App/AppSetup.ini", "[Setup]\r\nName=App\r\n");
  Write("Drivers/Tool/Readme.ini", "[Information]\r\nTool_Name=Tool\r\n");
  const std::vector<Finding> findings = Check();
  EXPECT_EQ(Lines(findings), (std::vector<std::string>{"warning no-version Drivers\\App",
                                                       "warning no-version Drivers\\Inst"}));
  EXPECT_TRUE(Says(findings[0], "AppSetup.ini has no Version in [Setup]"));
  EXPECT_TRUE(Says(findings[1], "ZoltSetup.ini has no Version in [InstAllInfo]"));
}

TEST_F(DiscCheckTest, UnmatchedRuleGivesTheKeyAsWritten) {
  rules_ = work_.WriteFile("rules.ini",
                           "[ShowAllDir]\r\n.\\Drivers=\r\n.\\drivers=\r\n[HideSubDir]\r\nBin=\r\n"
                           "Bin\\Deep\\Deeper=\r\n[Constant]\r\n.\\Ver.tag=- Version.\r\n"
                           ".\\Gone.txt=- Nothing.\r\n");
  inputs_.rulesFilePath = rules_;
  Write("Ver.tag", "1.0\r\n");
  outer_.MakeFolder("disc/Drivers/Empty");
  const std::vector<Finding> findings = Check();
  ASSERT_EQ(Lines(findings), (std::vector<std::string>{"warning unmatched-rule .\\drivers",
                                                       "warning unmatched-rule Bin\\Deep\\Deeper",
                                                       "warning unmatched-rule .\\Gone.txt"}));
  EXPECT_TRUE(Says(findings[0], "ShowAllDir key"));
  EXPECT_TRUE(Says(findings[2], "Constant key"));
  EXPECT_EQ(findings[0].node, nullptr);
}

TEST_F(DiscCheckTest, CaseCollisionNamesTheFolderThatHoldsTheEntries) {
  if (!test_support::NamesDifferingOnlyInCaseCoexist()) GTEST_SKIP() << "one name whatever its case";
  outer_.MakeFolder("disc/Drivers/Tools");
  outer_.MakeFolder("disc/Drivers/TOOLS");
  Write("Drivers/Audio/notes.txt", "a");
  Write("Drivers/Audio/NOTES.TXT", "b");
  Write("Drivers/Audio/other.txt", "c");
  const std::vector<Finding> findings = Check();
  ASSERT_EQ(Lines(findings), (std::vector<std::string>{"warning case-collision Drivers",
                                                       "warning case-collision Drivers\\Audio"}));
  EXPECT_TRUE(Says(findings[0], "\"TOOLS\" and \"Tools\"") ||
              Says(findings[0], "\"Tools\" and \"TOOLS\""));
  EXPECT_FALSE(Says(findings[1], "other.txt"));
}

TEST_F(DiscCheckTest, EncodingOfPackageFilesThatHideTheirText) {
  // A byte-order mark hides the first section: the install type is lost, so
  // the package names no source.
  Write("Drivers/Bom/ZoltSetup.ini", "\xEF\xBB\xBF" + Installer(Win7Tags()));
  Write("Drivers/Bom/English.ini", "[Default]\r\nTitle=T\r\n");
  Package("Drivers/Nulls", Installer(Win7Tags()));
  Write("Drivers/Nulls/English.ini", std::string("[Default]\r\nTitle=T\r\n\0\0\0\0", 24));
  Package("Drivers/Wide", Installer(Win7Tags()));
  Write("Drivers/Wide/English.ini", std::string("\xFE\xFF\0[\0D", 6));
  // UTF-16 little-endian with its mark is read correctly.
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("[Default]\r\nTitle=T\r\n")) utf16 += std::string{c, '\0'};
  Package("Drivers/Fine", Installer(Win7Tags()));
  Write("Drivers/Fine/English.ini", utf16);

  const std::vector<Finding> findings = Check();
  EXPECT_EQ(Lines(findings),
            (std::vector<std::string>{
                "error no-description Drivers\\Bom", "warning encoding Drivers\\Bom",
                "warning encoding Drivers\\Nulls", "warning encoding Drivers\\Wide",
                "warning no-title Drivers\\Wide"}));
  EXPECT_TRUE(Says(findings[1], "its first section [Root] is not found"));
  EXPECT_TRUE(Says(findings[0], "UTF-8 byte-order mark"));
  EXPECT_TRUE(Says(findings[2], "NUL bytes"));
  EXPECT_TRUE(Says(findings[3], "UTF-16 big-endian"));
}

TEST_F(DiscCheckTest, FindingsFollowTheDisplayOrderWithErrorsFirstPerFolder) {
  Write("Drivers/b/ZoltSetup.ini", Installer(Win7Tags(), "PassWHQL=1\r\n"));  // no English
  Package("Drivers/a", Installer(Win7Tags(true, false) + "WNT_6.1P_64=1\r\n", "PassWHQL=9\r\n"));
  outer_.MakeFolder("disc/Audio/X");
  outer_.MakeFolder("disc/Audio/x");  // the same folder where names ignore case
  std::vector<std::string> expected{
      "error bad-whql Drivers\\a", "warning partial-os-group Drivers\\a",
      "warning no-version Drivers\\a", "error no-description Drivers\\b",
      "error no-english-file Drivers\\b"};
  if (test_support::NamesDifferingOnlyInCaseCoexist()) {
    expected.insert(expected.begin(), "warning case-collision Audio");
  }
  // Enough folders that they are checked side by side: their findings
  // still come in the display order.
  for (int i = 0; i < 150; ++i) {
    const std::string name = "n" + std::to_string(1000 + i);
    Package("Drivers/" + name, Installer(Win7Tags()), "");
    expected.push_back("warning no-title Drivers\\" + name);
  }
  EXPECT_EQ(Lines(Check()), expected);
}

TEST(LeftOutFindingsTest, EachReasonBelongsToTheHoldingFolderAndSaysWhyLoopsAreNoFault) {
  TempDir dir;
  dir.MakeFolder("disc/Drivers");
  RecordingMessageSink messages;
  DirStructure tree(dir.Path("disc"), 3, messages);
  const std::string drivers = dir.Path("disc/Drivers");
  const std::vector<Finding> findings =
      LeftOutFindings(tree, {{drivers, "Fake\r\n  -Injected", LeftOutReason::BadName},
                             {drivers, "a:b", LeftOutReason::BadName},
                             {drivers, "Loop", LeftOutReason::LinkLoop},
                             {tree.RootDir->FullPath, "Shared", LeftOutReason::OutsideDisc}});
  ASSERT_EQ(findings.size(), 3u);
  EXPECT_EQ(findings[0].code, "bad-name");
  EXPECT_EQ(findings[0].path, "Drivers");
  EXPECT_EQ(findings[0].node, tree.FindNode(drivers));
  EXPECT_TRUE(findings[0].message.find("\"Fake\\x0D\\x0A  -Injected\"") != std::string::npos)
      << findings[0].message;
  EXPECT_TRUE(findings[0].message.find("a control character") != std::string::npos);
  EXPECT_TRUE(findings[1].message.find("the character :") != std::string::npos);
  EXPECT_EQ(findings[2].code, "outside-disc");
  EXPECT_EQ(findings[2].path, ".");
  EXPECT_TRUE(findings[2].message.find("not followed") != std::string::npos);

  // A listing that broke off and a path too long say why, in the check and
  // in the list run's one message about entries left out.
  tree.Skipped.push_back({drivers, "Audio", SkipReason::ListingFailed, "Input/output error"});
  tree.Skipped.push_back({drivers, "Deep", SkipReason::LongPath});
  const std::vector<Finding> read = LeftOutFindings(tree, AsLeftOutEntries(tree.Skipped));
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].code, "unreadable");
  EXPECT_EQ(read[0].path, "Drivers");
  EXPECT_EQ(read[0].message,
            "the folder \"Audio\" could not be read to its end (Input/output error); what it "
            "holds beyond the entries read is not in the list");
  EXPECT_EQ(read[1].code, "long-path");
  EXPECT_EQ(read[1].severity, Severity::Error);

  // The list run names both in its one message about entries left out.
  tree.ReportLeftOutNames();
  ASSERT_EQ(messages.messages.size(), 1u);
  const std::string& text = messages.messages[0].text;
  EXPECT_NE(text.find("Left out the rest of \"Audio\" in " + drivers +
                      ": reading the folder failed (Input/output error)."),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Left out \"Deep\" in " + drivers + ": its path is longer than the "),
            std::string::npos)
      << text;
}

struct ScanRecord {
  enum class Reason { BadName, LinkLoop, OutsideDisc, LongPath, ListingFailed, NotInCodePage,
                    WindowsName };
  std::string folderPath;
  std::string name;
  Reason reason;
  std::string detail = {};
};

TEST(LeftOutFindingsTest, TheScansRecordConvertsEntryForEntry) {
  const std::vector<LeftOutEntry> entries =
      AsLeftOutEntries(std::vector<ScanRecord>{{"/d", "a", ScanRecord::Reason::OutsideDisc},
                                               {"/d/e", "b", ScanRecord::Reason::LinkLoop},
                                               {"/d", "c", ScanRecord::Reason::BadName},
                                               {"/d", "f", ScanRecord::Reason::NotInCodePage}});
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[3].reason, LeftOutReason::NotInCodePage);
  EXPECT_EQ(entries[0].reason, LeftOutReason::OutsideDisc);
  EXPECT_EQ(entries[1].reason, LeftOutReason::LinkLoop);
  EXPECT_EQ(entries[1].folderPath, "/d/e");
  EXPECT_EQ(entries[2].reason, LeftOutReason::BadName);
  EXPECT_EQ(entries[2].name, "c");
}

// The scan leaves out names the disc's home file system cannot hold and
// links leading out of the disc; the check reports them through the
// folder that holds them.
TEST_F(DiscCheckTest, BadNameOfAnEntryTheScanLeftOut) {
  if (!test_support::ForbiddenNamesCanExist()) GTEST_SKIP() << "the system refuses such names";
  Package("Drivers/Good", Installer(Win7Tags()));
  Package("Drivers/Evil\r\n  -Injected", Installer(Win7Tags()));
  const std::vector<Finding> findings = Check();
  ASSERT_EQ(Lines(findings), (std::vector<std::string>{"error bad-name Drivers"}));
  EXPECT_TRUE(Says(findings[0], "\"Evil\\x0D\\x0A  -Injected\""));
}

TEST_F(DiscCheckTest, OutsideDiscForAFolderLinkTheScanDidNotFollow) {
  if (!test_support::CanCreateSymbolicLinks()) GTEST_SKIP() << "no symbolic links here";
  outer_.WriteFile("elsewhere/Drv/Readme.ini", "[Information]\r\nTool_Name=X\r\n");
  outer_.MakeFolder("disc/Drivers");
  fs::create_directory_symlink(outer_.Path("elsewhere"), outer_.Path("disc/Drivers/Shared"));
  const std::vector<Finding> findings = Check();
  ASSERT_EQ(Lines(findings), (std::vector<std::string>{"error outside-disc Drivers"}));
  EXPECT_TRUE(Says(findings[0], "\"Shared\""));
}

}  // namespace
}  // namespace cartulon
