// The attach and classification passes on small discs: check flags from
// folder names and marker files, and the records filled from each package's
// Readme.ini, AppSetup.ini or ZoltSetup.ini with its English.ini.
#include "describe/classify.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "describe/os_tags.h"
#include "model/dir_structure.h"
#include "platform/message_sink.h"
#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

const std::string kEnglish = Crlf({"[Default]", "Title=Demo Driver"});

std::string Readme(std::string_view name, std::string_view version) {
  return Crlf({"[Information]", "Tool_Name=" + std::string(name),
               "Tool_Version=" + std::string(version)});
}

std::string InstallerFile(std::string_view version, std::initializer_list<std::string_view> tags,
                          std::string_view passWhql = "", std::string_view passVistaWhql = "") {
  std::string text = Crlf({"[InstAllInfo]", "Version=" + std::string(version),
                           "PassWHQL=" + std::string(passWhql),
                           "PassVistaWHQL=" + std::string(passVistaWhql), "[OS_Language_Tag]"});
  for (std::string_view tag : tags) text += std::string(tag) + "=1\r\n";
  return text;
}

int IndexOfTag(std::string_view tag) {
  for (int i = 0; i < kOSTagCount; ++i) {
    if (OSTagTable[i] == tag) return i;
  }
  return -1;
}

std::vector<const DescrStruct*> Chain(const DirNode* node) {
  std::vector<const DescrStruct*> records;
  if (node == nullptr) return records;
  for (const DescrStruct* r = node->Data.get(); r != nullptr; r = r->Next.get()) {
    records.push_back(r);
  }
  return records;
}

// A disc in a scratch folder, analysed the way the worker does: scan,
// attach, classification.
class PackageRecordsTest : public ::testing::Test {
 protected:
  void Scan(int depth = 6) {
    tree_ = std::make_unique<DirStructure>(disc_.Root(), depth, messages_);
    AttachDescriptions(tree_->RootDir, depth);
  }
  void Classify(int depth = 6) { ClassifyPackages(*tree_, tree_->RootDir, depth, messages_); }
  void Analyse(int depth = 6) {
    Scan(depth);
    Classify(depth);
  }
  DirNode* Node(std::string_view rel) const {
    DirNode* node = tree_->FindNode(disc_.Path(rel));
    EXPECT_NE(node, nullptr) << rel;
    return node;
  }
  const DescrStruct& Record(std::string_view rel) const {
    static const DescrStruct kNone;
    DirNode* node = Node(rel);
    if (node == nullptr || !node->Data) {
      ADD_FAILURE() << "no record for " << rel;
      return kNone;
    }
    return *node->Data;
  }

  TempDir disc_;
  RecordingMessageSink messages_;
  std::unique_ptr<DirStructure> tree_;
};

// ---------------------------------------------------------------------------
// Attach pass and record chains

TEST_F(PackageRecordsTest, AttachGivesEveryNodeUpToTheLimitAFreshRecord) {
  disc_.MakeFolder("A/B/C");
  Scan(6);
  Node("A/B")->Data->Title = "old";
  Node("A/B")->Data->Next = std::make_unique<DescrStruct>();
  AttachDescriptions(Node("A/B"), Node("A/B")->Depth);
  EXPECT_EQ(Node("A/B")->Data->Title, "");
  EXPECT_EQ(Node("A/B")->Data->Next, nullptr);

  // Nodes deeper than the limit are left alone.
  Node("A/B")->Data->Title = "old";
  Node("A/B/C")->Data.reset();
  AttachDescriptions(tree_->RootDir, 2);
  EXPECT_EQ(Node("A/B")->Data->Title, "");
  EXPECT_EQ(Node("A/B/C")->Data, nullptr);
  EXPECT_NE(tree_->RootDir->Data, nullptr);
}

TEST(ExtendRecordChainTest, LeavesExactlyNRecordsAndNeverFewerThanOne) {
  DescrStruct record;
  record.Title = "kept";
  ExtendRecordChain(record, 3);
  ASSERT_NE(record.Next, nullptr);
  ASSERT_NE(record.Next->Next, nullptr);
  EXPECT_EQ(record.Next->Next->Next, nullptr);
  EXPECT_EQ(record.Title, "kept");
  EXPECT_EQ(record.Next->Title, "");
  EXPECT_TRUE(record.Next->Enabled);

  record.Next->Next->Title = "stale";
  ExtendRecordChain(record, 2);
  ASSERT_NE(record.Next, nullptr);
  EXPECT_EQ(record.Next->Next, nullptr);

  ExtendRecordChain(record, 0);
  EXPECT_EQ(record.Next, nullptr);
  ExtendRecordChain(record, 1);
  EXPECT_EQ(record.Next, nullptr);
}

// ---------------------------------------------------------------------------
// Check flags from names and marker files

TEST_F(PackageRecordsTest, RaidFolderIsCheckedOnlyWithItsEnglishFile) {
  disc_.WriteFile("Drivers/Raid/English.ini", kEnglish);
  disc_.MakeFolder("Drivers/Sub/Raid");
  Scan();
  DirStructure::SetCheckedSubtree(tree_->RootDir, false);
  Classify();
  EXPECT_TRUE(Node("Drivers/Raid")->Checked);
  EXPECT_TRUE(Node("Drivers")->Checked);
  EXPECT_TRUE(tree_->RootDir->Checked);
  // Without English.ini the folder keeps the state it had.
  EXPECT_FALSE(Node("Drivers/Sub/Raid")->Checked);
  EXPECT_FALSE(Node("Drivers/Sub")->Checked);
}

TEST_F(PackageRecordsTest, NameRulesCompareTheUpperCasedName) {
  for (const char* name : {"vista", "En", "english", "ENG", "us", "raid", "Intel LAN", "amd chipset",
                           "NVidia", "User Guide", "Board Manual", "lucid", "Virtu MVP"}) {
    disc_.WriteFile(std::string("Listed/") + name + "/English.ini", kEnglish);
  }
  for (const char* name : {"Vistas", "ENU", "Graphics"}) {
    disc_.WriteFile(std::string("Listed/") + name + "/English.ini", kEnglish);
  }
  Scan();
  DirStructure::SetCheckedSubtree(tree_->RootDir, false);
  Classify();
  for (const char* name : {"vista", "En", "english", "ENG", "us", "raid", "Intel LAN", "amd chipset",
                           "NVidia", "User Guide", "Board Manual", "lucid", "Virtu MVP"}) {
    EXPECT_TRUE(Node(std::string("Listed/") + name)->Checked) << name;
  }
  for (const char* name : {"Vistas", "ENU", "Graphics"}) {
    EXPECT_FALSE(Node(std::string("Listed/") + name)->Checked) << name;
  }
}

TEST_F(PackageRecordsTest, HotfixAndUtilityFoldersStartUnchecked) {
  const std::vector<std::string> unchecked = {
      "Microsoft_Hotfix", "usb", "USBCopy", "YRASetup", "UtilityPage", "MEIInstall",
      "ALevel Patch", "Intel Matrix", "MatrixStorage", "Trivane3 Tool"};
  const std::vector<std::string> kept = {"USB3", "My USB", "Hotfix", "Trivane"};
  for (const std::string& name : unchecked) disc_.MakeFolder("Soft/" + name + "/Inner");
  for (const std::string& name : kept) disc_.MakeFolder("Soft/" + name);
  Analyse();
  for (const std::string& name : unchecked) {
    EXPECT_FALSE(Node("Soft/" + name)->Checked) << name;
    EXPECT_FALSE(Node("Soft/" + name + "/Inner")->Checked) << name;
  }
  for (const std::string& name : kept) EXPECT_TRUE(Node("Soft/" + name)->Checked) << name;
  EXPECT_TRUE(Node("Soft")->Checked);
}

TEST_F(PackageRecordsTest, LaterRulesOverrideEarlierOnes) {
  // Rule 1 ("MATRIX") unchecks, rule 3 ("INTEL" with English.ini) checks.
  disc_.WriteFile("Drivers/Intel Matrix Storage/English.ini", kEnglish);
  disc_.MakeFolder("Drivers/Matrix Storage Intel Plain");
  // Rule 4 unchecks, rule 5 (Readme.ini) checks again.
  disc_.WriteFile("ZoltManual/Readme.ini", Readme("Manual", "1.0"));
  disc_.MakeFolder("Docs/ZOLTMANUAL");
  Analyse();
  EXPECT_TRUE(Node("Drivers/Intel Matrix Storage")->Checked);
  EXPECT_FALSE(Node("Drivers/Matrix Storage Intel Plain")->Checked);
  EXPECT_TRUE(Node("ZoltManual")->Checked);
  EXPECT_FALSE(Node("Docs/ZOLTMANUAL")->Checked);
}

TEST_F(PackageRecordsTest, PackageBelowAnUncheckedFolderChecksItsAncestorsAgain) {
  disc_.WriteFile("USB/Tool/Readme.ini", Readme("USB Tool", "2.0"));
  disc_.MakeFolder("USB/Tool/Data");
  disc_.MakeFolder("USB/Other");
  Analyse();
  EXPECT_TRUE(Node("USB")->Checked);
  EXPECT_TRUE(tree_->RootDir->Checked);
  EXPECT_TRUE(Node("USB/Tool")->Checked);
  EXPECT_TRUE(Node("USB/Tool/Data")->Checked);
  EXPECT_FALSE(Node("USB/Other")->Checked);
}

TEST_F(PackageRecordsTest, MarkerFilesAreFoundWhateverTheirLetterCase) {
  disc_.WriteFile("USB/Tool/README.INI", Readme("Shouting Tool", "1.1"));
  disc_.WriteFile("Hidden/Raid/english.INI", kEnglish);
  Scan();
  DirStructure::SetCheckedSubtree(Node("Hidden"), false);
  Classify();
  EXPECT_TRUE(Node("USB/Tool")->Checked);
  EXPECT_TRUE(Node("Hidden/Raid")->Checked);
  // The upper-case file still belongs to the Readme.ini family.
  EXPECT_EQ(Record("USB/Tool").ToolName, "Shouting Tool");
  EXPECT_EQ(Record("USB/Tool").ToolVersion, "1.1");
}

TEST_F(PackageRecordsTest, NodeWithoutRecordIsReportedAndItsSubtreeSkipped) {
  disc_.WriteFile("Broken/Pkg/Readme.ini", Readme("Lost", "1.0"));
  disc_.WriteFile("Fine/Readme.ini", Readme("Found", "1.0"));
  Scan();
  DirStructure::SetCheckedSubtree(tree_->RootDir, false);
  Node("Broken")->Data.reset();
  Classify();
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].text, "RootDir->Data should be initialized first");
  EXPECT_EQ(messages_.messages[0].caption, "TCartulon::ExtractDataOfDirTree");
  EXPECT_EQ(messages_.messages[0].kind, MessageKind::Error);
  EXPECT_FALSE(Node("Broken/Pkg")->Checked);
  EXPECT_EQ(Record("Broken/Pkg").ToolName, "");
  EXPECT_TRUE(Node("Fine")->Checked);
  EXPECT_EQ(Record("Fine").ToolName, "Found");
}

TEST_F(PackageRecordsTest, ClassificationStopsAtTheDepthLimit) {
  disc_.WriteFile("A/Readme.ini", Readme("Shallow", "1"));
  disc_.WriteFile("A/B/Readme.ini", Readme("Deep", "2"));
  disc_.MakeFolder("A/B/USB");
  Scan(6);
  DirStructure::SetCheckedSubtree(tree_->RootDir, false);
  Classify(1);
  EXPECT_TRUE(messages_.messages.empty());
  EXPECT_EQ(Record("A").ToolName, "Shallow");
  EXPECT_EQ(Record("A/B").ToolName, "");
  // A's rule checked its whole subtree; nothing below the limit ran.
  EXPECT_TRUE(Node("A/B/USB")->Checked);
}

TEST_F(PackageRecordsTest, EntryTextSetBeforehandKeepsTheFolderFromBeingRead) {
  disc_.WriteFile("Constant/Readme.ini", Readme("From INI", "1"));
  disc_.WriteFile("Blank/Readme.ini", Readme("Blank constant", "2"));
  Scan();
  DirStructure::SetCheckedSubtree(tree_->RootDir, false);
  Node("Constant")->Data->EntryText = "- Fixed text.";
  Classify();
  EXPECT_EQ(Record("Constant").EntryText, "- Fixed text.");
  EXPECT_EQ(Record("Constant").ToolName, "");
  EXPECT_EQ(Record("Blank").ToolName, "Blank constant");
  // The check rules still apply to the constant entry's folder.
  EXPECT_TRUE(Node("Constant")->Checked);
}

// ---------------------------------------------------------------------------
// Choosing the sources of a folder

TEST_F(PackageRecordsTest, ReadmeBeatsAppSetupWhichBeatsZoltSetup) {
  disc_.WriteFile("Both/Readme.ini", Readme("Tool", "1.0"));
  disc_.WriteFile("Both/ZoltSetup.ini", Crlf({"[InstallPath]", "1=a,One.ini", "2=b,Two.ini"}));
  disc_.WriteFile("Both/English.ini", kEnglish);
  disc_.WriteFile("App/appsetup.ini", Crlf({"[Setup]", "Name=App", "Version=3.0"}));
  disc_.WriteFile("App/ZoltSetup.ini", Crlf({"[Root]", "InstallType=0"}));
  disc_.WriteFile("App/English.ini", kEnglish);
  Analyse();

  ASSERT_EQ(Chain(Node("Both")).size(), 1u);
  EXPECT_EQ(Record("Both").ToolName, "Tool");
  EXPECT_EQ(Record("Both").Title, "");
  EXPECT_EQ(ListDescriptionSources(*tree_, Node("Both")),
            std::vector<std::string>{disc_.Path("Both/Readme.ini")});

  ASSERT_EQ(Chain(Node("App")).size(), 1u);
  EXPECT_EQ(Record("App").SetupName, "App");
  EXPECT_EQ(Record("App").SetupVersion, "3.0");
  EXPECT_EQ(Record("App").SetupOSText,
            " for Windows XP 32bit & XP 64bit & Vista 32bit & Vista 64bit & Win7 32bit & "
            "Win7 64bit");
  // Application packages take no English.ini.
  EXPECT_EQ(Record("App").Title, "");
}

TEST_F(PackageRecordsTest, FolderWithoutMarkerFilesKeepsOneEmptyRecord) {
  disc_.WriteFile("Plain/English.ini", kEnglish);
  disc_.WriteFile("Plain/Setup.ini", InstallerFile("1.0", {"WNT_5.2P"}));
  Analyse();
  EXPECT_TRUE(ListDescriptionSources(*tree_, Node("Plain")).empty());
  ASSERT_EQ(Chain(Node("Plain")).size(), 1u);
  EXPECT_EQ(Record("Plain").Title, "");
  EXPECT_EQ(Record("Plain").Version, "");
}

TEST_F(PackageRecordsTest, InstallTypeZeroReadsTheSetupFileItself) {
  std::string setup = Crlf({"[Root]", "InstallType=0"}) +
                      InstallerFile("6.0", {"WNT_6.1P_32", "wnt_6.1p_64", "WNT_9.9X"}, "1", "1");
  disc_.WriteFile("Drv/ZOLTSETUP.INI", setup);
  disc_.WriteFile("Drv/English.ini", kEnglish);
  Analyse();
  EXPECT_EQ(ListDescriptionSources(*tree_, Node("Drv")),
            std::vector<std::string>{disc_.Path("Drv/ZOLTSETUP.INI")});
  const DescrStruct& record = Record("Drv");
  EXPECT_EQ(record.Title, "Demo Driver");
  EXPECT_EQ(record.Version, "6.0");
  EXPECT_EQ(record.PassWHQL, "1");
  EXPECT_EQ(record.PassVistaWHQL, "1");
  EXPECT_EQ(record.WHQLStatus, "1");
  int set = 0;
  for (std::uint8_t flag : record.OSTagFlags) set += flag;
  EXPECT_EQ(set, 2);
  EXPECT_EQ(record.OSTagFlags[IndexOfTag("WNT_6.1P_32")], 1);
  // A key written in lower case still sets its flag.
  EXPECT_EQ(record.OSTagFlags[IndexOfTag("WNT_6.1P_64")], 1);
}

TEST_F(PackageRecordsTest, MultiInstallTakesEveryLineNamingThePrimaryPath) {
  disc_.WriteFile("Multi/ZoltSetup.ini",
                  Crlf({"[Root]", "InstallType=4", "[MultiInstall]", "PrimaryInstall = 1 ",
                        "Path1=First,Sub1\\Setup.ini", "Path2=Other,Sub2\\Setup.ini",
                        "Path10=Tenth, Sub10\\Setup.ini ", "Path1NoComma=Sub1\\Setup.ini"}));
  disc_.WriteFile("Multi/English.ini", kEnglish);
  disc_.WriteFile("Multi/Sub1/Setup.ini", InstallerFile("1.1", {}));
  disc_.WriteFile("Multi/Sub2/Setup.ini", InstallerFile("2.2", {}));
  disc_.WriteFile("Multi/Sub10/Setup.ini", InstallerFile("10.10", {}));
  Analyse();
  EXPECT_EQ(ListDescriptionSources(*tree_, Node("Multi")),
            (std::vector<std::string>{disc_.Path("Multi/Sub1/Setup.ini"),
                                      disc_.Path("Multi/Sub10/Setup.ini")}));
  const auto chain = Chain(Node("Multi"));
  ASSERT_EQ(chain.size(), 2u);
  EXPECT_EQ(chain[0]->Version, "1.1");
  EXPECT_EQ(chain[1]->Version, "10.10");
  // Sub-install sources take the package folder's English.ini.
  EXPECT_EQ(chain[0]->Title, "Demo Driver");
  EXPECT_EQ(chain[1]->Title, "Demo Driver");
}

TEST_F(PackageRecordsTest, MultiInstallPrimaryNumberIsCutToTenCharacters) {
  disc_.WriteFile("Multi/ZoltSetup.ini",
                  Crlf({"[Root]", "InstallType=4", "[MultiInstall]", "A=B",
                        "PrimaryInstall=12345678901", "PrimaryInstall=2",
                        "Path1234567890=x,Long.ini", "Path2=x,Two.ini"}));
  disc_.WriteFile("Multi/English.ini", kEnglish);
  Scan();
  EXPECT_EQ(ListDescriptionSources(*tree_, Node("Multi")),
            std::vector<std::string>{disc_.Path("Multi/Long.ini")});
}

TEST_F(PackageRecordsTest, MultiInstallWithoutPrimaryLineTakesEveryPathLine) {
  disc_.WriteFile("Multi/ZoltSetup.ini",
                  Crlf({"[Root]", "InstallType=4", "[MultiInstall]", "Path3=x,C.ini",
                        "Other=x,D.ini", "Path7=x,E.ini"}));
  Scan();
  EXPECT_EQ(ListDescriptionSources(*tree_, Node("Multi")),
            (std::vector<std::string>{disc_.Path("Multi/C.ini"), disc_.Path("Multi/E.ini")}));
}

TEST_F(PackageRecordsTest, InstallPathLinesAreTakenLastFirst) {
  disc_.WriteFile("Pkg/ZoltSetup.ini",
                  Crlf({"[InstallPath]", "1=A,First\\Setup.ini", "NoComma", "2=B,Second\\Setup.ini",
                        "3=C,  Third\\Setup.ini  "}));
  disc_.WriteFile("Pkg/English.ini", kEnglish);
  disc_.WriteFile("Pkg/First/Setup.ini", InstallerFile("1", {}, "1", "0"));
  disc_.WriteFile("Pkg/Second/Setup.ini", InstallerFile("2", {}, "1", ""));
  disc_.WriteFile("Pkg/Third/Setup.ini", InstallerFile("3", {}, "", "0"));
  Analyse();
  const auto chain = Chain(Node("Pkg"));
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_EQ(chain[0]->Version, "3");
  EXPECT_EQ(chain[1]->Version, "2");
  EXPECT_EQ(chain[2]->Version, "1");
  EXPECT_EQ(chain[0]->WHQLStatus, "0");
  EXPECT_EQ(chain[1]->WHQLStatus, "1");
  EXPECT_EQ(chain[2]->WHQLStatus, "0");
}

TEST_F(PackageRecordsTest, UnknownInstallTypeFallsBackToInstallPath) {
  disc_.WriteFile("Pkg/ZoltSetup.ini",
                  Crlf({"[Root]", "InstallType=7", "[MultiInstall]", "PrimaryInstall=1",
                        "Path1=x,Multi.ini", "[InstallPath]", "1=x,Plain.ini"}));
  Scan();
  EXPECT_EQ(ListDescriptionSources(*tree_, Node("Pkg")),
            std::vector<std::string>{disc_.Path("Pkg/Plain.ini")});
}

TEST_F(PackageRecordsTest, SubInstallPathsWithBackslashesResolveWhateverTheirCase) {
  disc_.WriteFile("Pkg/ZoltSetup.ini", Crlf({"[InstallPath]", "1=x,\\Drivers\\Win7\\SETUP.ini"}));
  disc_.WriteFile("Pkg/English.ini", kEnglish);
  disc_.WriteFile("Pkg/drivers/WIN7/Setup.INI", InstallerFile("7.0", {"WNT_5.2P"}));
  Analyse();
  const std::vector<std::string> sources = ListDescriptionSources(*tree_, Node("Pkg"));
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_PRED2(test_support::SameEntryName, sources[0], disc_.Path("Pkg/drivers/WIN7/Setup.INI"));
  EXPECT_EQ(Record("Pkg").Version, "7.0");
  EXPECT_EQ(Record("Pkg").OSTagFlags[0], 1);
}

TEST_F(PackageRecordsTest, SubInstallFilesBesideTheSetupFileResolveWhateverTheirCase) {
  disc_.WriteFile("Pkg/ZoltSetup.ini",
                  Crlf({"[InstallPath]", "1=x,win7.INI", "2=x,Absent.ini", "3=x,."}));
  disc_.WriteFile("Pkg/English.ini", kEnglish);
  disc_.WriteFile("Pkg/Win7.ini", InstallerFile("7.1", {}));
  Analyse();
  EXPECT_EQ(ListDescriptionSources(*tree_, Node("Pkg")),
            (std::vector<std::string>{disc_.Path("Pkg/."), disc_.Path("Pkg/Absent.ini"),
                                      disc_.Path("Pkg/Win7.ini")}));
  const auto chain = Chain(Node("Pkg"));
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_EQ(chain[0]->Version, "");
  EXPECT_EQ(chain[1]->Version, "");
  EXPECT_EQ(chain[2]->Version, "7.1");
}

TEST_F(PackageRecordsTest, SubInstallPathsOutsideTheFolderOrToMissingFiles) {
  disc_.WriteFile("Pkg/ZoltSetup.ini",
                  Crlf({"[InstallPath]", "1=x,..\\Shared\\Setup.ini", "2=x,Missing\\Setup.ini",
                        "3=x,", "4=x,..\\..\\..\\..\\..\\..\\Nowhere.ini"}));
  disc_.WriteFile("Pkg/English.ini", kEnglish);
  disc_.WriteFile("Shared/Setup.ini", InstallerFile("9.9", {}));
  Analyse();
  const auto chain = Chain(Node("Pkg"));
  // One record per listed source, filled only where the file exists.
  ASSERT_EQ(chain.size(), 4u);
  EXPECT_EQ(chain[0]->Version, "");
  EXPECT_EQ(chain[0]->Title, "");
  EXPECT_EQ(chain[1]->Version, "");
  EXPECT_EQ(chain[2]->Version, "");
  EXPECT_EQ(chain[3]->Version, "9.9");
  EXPECT_EQ(chain[3]->Title, "Demo Driver");
}

TEST_F(PackageRecordsTest, SourcesOutsideTheDiscCountAsMissing) {
  if (!test_support::CanCreateSymbolicLinks()) GTEST_SKIP() << "no symbolic links here";
  // The disc is Disc/ inside the scratch folder; Secret/ lies beside it.
  disc_.WriteFile("Secret/secret.ini", InstallerFile("SECRET", {"WNT_5.2P"}, "1"));
  disc_.WriteFile("Secret/English.ini", Crlf({"[Default]", "Title=Leaked"}));
  disc_.WriteFile("Secret/Readme.ini", Readme("Leaked", "6.6"));
  disc_.WriteFile("Disc/Drivers/VGA/ZoltSetup.ini",
                  Crlf({"[InstallPath]", "1=x,..\\..\\..\\Secret\\secret.ini",
                        "2=x,Away\\secret.ini", "3=x,Win7\\..\\..\\Common\\Setup.ini",
                        "4=x,..\\..\\..\\Disc\\Drivers\\Common\\Setup.ini"}));
  disc_.WriteFile("Disc/Drivers/VGA/English.ini", kEnglish);
  disc_.MakeFolder("Disc/Drivers/VGA/Win7");
  disc_.WriteFile("Disc/Drivers/Common/Setup.ini", InstallerFile("2.0", {"WNT_5.2P"}));
  std::filesystem::create_directory_symlink(disc_.Path("Secret"),
                                            disc_.Path("Disc/Drivers/VGA/Away"));
  // Marker and English files that are links off the disc.
  disc_.MakeFolder("Disc/Drivers/Tool");
  std::filesystem::create_symlink(disc_.Path("Secret/Readme.ini"),
                                  disc_.Path("Disc/Drivers/Tool/Readme.ini"));
  disc_.WriteFile("Disc/Drivers/Net/ZoltSetup.ini",
                  Crlf({"[Root]", "InstallType=0"}) + InstallerFile("3.0", {"WNT_5.2P"}));
  std::filesystem::create_symlink(disc_.Path("Secret/English.ini"),
                                  disc_.Path("Disc/Drivers/Net/English.ini"));

  tree_ = std::make_unique<DirStructure>(disc_.Path("Disc"), 6, messages_);
  AttachDescriptions(tree_->RootDir, 6);
  Classify();
  const auto chain = Chain(Node("Disc/Drivers/VGA"));
  ASSERT_EQ(chain.size(), 4u);
  // Last line first. Only the way to the neighbouring package is read; a
  // path that climbs above the disc root leaves the disc, even when it
  // names the root's own folder to come back (on the disc the root has no
  // parent and no name).
  EXPECT_EQ(chain[1]->Version, "2.0");
  EXPECT_EQ(chain[1]->Title, "Demo Driver");
  EXPECT_FALSE(chain[1]->SourceOutsideDisc);
  for (int k : {0, 2, 3}) {
    EXPECT_EQ(chain[k]->Version, "") << k;
    EXPECT_EQ(chain[k]->Title, "") << k;
    EXPECT_EQ(chain[k]->OSTagFlags[0], 0) << k;
    EXPECT_TRUE(chain[k]->SourceOutsideDisc) << k;
  }
  EXPECT_EQ(Record("Disc/Drivers/Tool").ToolName, "");
  EXPECT_TRUE(Record("Disc/Drivers/Tool").SourceOutsideDisc);
  EXPECT_EQ(Record("Disc/Drivers/Net").Title, "");
  EXPECT_EQ(Record("Disc/Drivers/Net").Version, "");
}

TEST_F(PackageRecordsTest, AVeryLongChainIsBuiltAndFreedWithoutDeepCalls) {
  // 300,000 install sources; freeing the chain one call level per record
  // overflows the stack long before that.
  constexpr int kRecords = 300000;
  std::string setup = "[InstallPath]\r\n";
  for (int k = 0; k < kRecords; ++k) {
    setup += std::to_string(k);
    setup += k % 2 == 0 ? "=x,Win7\\Setup.ini\r\n" : "=x,Win8\\Setup.ini\r\n";
  }
  disc_.WriteFile("Pkg/ZoltSetup.ini", setup);
  disc_.WriteFile("Pkg/English.ini", kEnglish);
  disc_.WriteFile("Pkg/Win7/Setup.ini", InstallerFile("7", {}));
  disc_.WriteFile("Pkg/Win8/Setup.ini", InstallerFile("8", {}));
  Analyse();
  const auto chain = Chain(Node("Pkg"));
  ASSERT_EQ(chain.size(), static_cast<std::size_t>(kRecords));
  EXPECT_EQ(chain.front()->Version, "8");
  EXPECT_EQ(chain.back()->Version, "7");

  // Replacing and shortening chains frees the rest the same way.
  DescrStruct moved = std::move(*Node("Pkg")->Data);
  EXPECT_EQ(Node("Pkg")->Data->Next, nullptr);
  ExtendRecordChain(moved, 2);
  ExtendRecordChain(*Node("Pkg")->Data, kRecords);
  tree_.reset();
}

// Install lines in a row that name one file share a record that counts
// them; the chain then grows with the runs, not with the lines.
TEST_F(PackageRecordsTest, RepeatedSourcesInARowShareOneRecord) {
  struct Case {
    const char* name;
    std::vector<std::string> files;  // the file of each [InstallPath] line, in file order
    std::vector<std::pair<std::string, std::size_t>> chain;  // version, repeats
  };
  // Lines are taken last first; the first record stands for one source.
  const std::vector<Case> cases = {
      {"one line", {"A"}, {{"A", 1}}},
      {"two alike", {"A", "A"}, {{"A", 1}, {"A", 1}}},
      {"a run", {"A", "A", "A", "A"}, {{"A", 1}, {"A", 3}}},
      {"two runs", {"A", "A", "B", "B", "B"}, {{"B", 1}, {"B", 2}, {"A", 2}}},
      {"interleaved", {"A", "B", "A", "B"}, {{"B", 1}, {"A", 1}, {"B", 1}, {"A", 1}}},
      {"runs of a missing file", {"Gone", "Gone", "A", "Gone"}, {{"", 1}, {"A", 1}, {"", 2}}},
  };
  disc_.WriteFile("Pkg/English.ini", kEnglish);
  disc_.WriteFile("Pkg/A/Setup.ini", InstallerFile("A", {}));
  disc_.WriteFile("Pkg/B/Setup.ini", InstallerFile("B", {}));
  for (const Case& c : cases) {
    std::vector<std::string> lines = {"[InstallPath]"};
    std::vector<std::string> expectedSources;
    for (std::size_t k = 0; k < c.files.size(); ++k) {
      lines.push_back(std::to_string(k) + "=x," + c.files[k] + "\\Setup.ini");
      expectedSources.insert(expectedSources.begin(),
                             disc_.Path("Pkg/" + c.files[k] + "/Setup.ini"));
    }
    disc_.WriteFile("Pkg/ZoltSetup.ini", Crlf(lines));
    Analyse();
    EXPECT_EQ(ListDescriptionSources(*tree_, Node("Pkg")), expectedSources) << c.name;
    std::vector<std::pair<std::string, std::size_t>> chain;
    for (const DescrStruct* record : Chain(Node("Pkg"))) {
      chain.emplace_back(record->Version, record->Repeats);
      EXPECT_EQ(record->Title, record->Version.empty() ? "" : "Demo Driver") << c.name;
    }
    EXPECT_EQ(chain, c.chain) << c.name;
  }
}

TEST_F(PackageRecordsTest, RecordsOfOneRepeatedSourceDoNotGrowWithItsLines) {
  disc_.WriteFile("Pkg/English.ini", kEnglish);
  disc_.WriteFile("Pkg/Win7/Setup.ini", InstallerFile("7", {}));
  std::vector<std::size_t> chainLengths;
  for (int lines : {10, 1000, 100000}) {
    std::string setup = "[InstallPath]\r\n";
    for (int k = 0; k < lines; ++k) setup += std::to_string(k) + "=x,Win7\\Setup.ini\r\n";
    disc_.WriteFile("Pkg/ZoltSetup.ini", setup);
    Analyse();
    std::size_t sources = 0;
    for (const DescrStruct* record : Chain(Node("Pkg"))) sources += record->Repeats;
    EXPECT_EQ(sources, static_cast<std::size_t>(lines));
    chainLengths.push_back(Chain(Node("Pkg")).size());
  }
  EXPECT_EQ(chainLengths, (std::vector<std::size_t>{2, 2, 2}));
}

TEST_F(PackageRecordsTest, InstallerSourceWithoutEnglishFileStaysEmpty) {
  disc_.WriteFile("Drv/ZoltSetup.ini",
                  Crlf({"[Root]", "InstallType=0"}) + InstallerFile("6.0", {"WNT_5.2P"}, "1", "1"));
  Analyse();
  const DescrStruct& record = Record("Drv");
  EXPECT_EQ(record.Version, "");
  EXPECT_EQ(record.WHQLStatus, "");
  EXPECT_EQ(record.OSTagFlags[0], 0);
}

// ---------------------------------------------------------------------------
// Reading one source directly

TEST(ReadDescriptionSourceTest, ChoosesTheFamilyByTheUpperCasedPath) {
  TempDir dir;
  const std::string readme = dir.WriteFile("a/readme.ini", Crlf({"[information]", "TOOL_NAME=Foo",
                                                                "Tool_Version=1.2",
                                                                "Description=Bar"}));
  const std::string app = dir.WriteFile("b/APPSETUP.ini", Crlf({"[SETUP]", "name=App", "VERSION=2"}));
  const std::string english = dir.WriteFile("c/English.ini", kEnglish);
  const std::string setup = dir.WriteFile("c/Setup.ini", InstallerFile("5", {"WNT_5.1H"}, "3", "1"));

  DescrStruct tool;
  ReadDescriptionSource(tool, readme, english);
  EXPECT_EQ(tool.ToolName, "Foo");
  EXPECT_EQ(tool.ToolVersion, "1.2");
  EXPECT_EQ(tool.ToolDescription, "Bar");
  EXPECT_EQ(tool.Title, "");

  DescrStruct application;
  ReadDescriptionSource(application, app, "");
  EXPECT_EQ(application.SetupName, "App");
  EXPECT_EQ(application.SetupVersion, "2");
  EXPECT_FALSE(application.SetupOSText.empty());

  DescrStruct installer;
  ReadDescriptionSource(installer, setup, english);
  EXPECT_EQ(installer.Title, "Demo Driver");
  EXPECT_EQ(installer.Version, "5");
  EXPECT_EQ(installer.WHQLStatus, "1");
  EXPECT_EQ(installer.OSTagFlags[IndexOfTag("WNT_5.1H")], 1);

  // Without an English file path the installer family is not read at all;
  // with a path to a missing file everything but the title is.
  DescrStruct noEnglish;
  ReadDescriptionSource(noEnglish, setup, "");
  EXPECT_EQ(noEnglish.Version, "");
  DescrStruct missingEnglish;
  ReadDescriptionSource(missingEnglish, setup, dir.Path("c/Gone.ini"));
  EXPECT_EQ(missingEnglish.Version, "5");
  EXPECT_EQ(missingEnglish.Title, "");

  DescrStruct missing;
  ReadDescriptionSource(missing, dir.Path("a/Gone/Readme.ini"), english);
  ReadDescriptionSource(missing, dir.Path("a"), english);
  EXPECT_EQ(missing.ToolName, "");
  EXPECT_EQ(missing.Title, "");
}

TEST(ReadDescriptionSourceTest, FlagsOfAbsentTagsKeepTheirValue) {
  TempDir dir;
  const std::string english = dir.WriteFile("English.ini", kEnglish);
  const std::string setup = dir.WriteFile("Setup.ini", InstallerFile("1", {"WNT_6.3H_64_MCE"}));
  DescrStruct record;
  record.OSTagFlags[0] = 1;
  ReadDescriptionSource(record, setup, english);
  EXPECT_EQ(record.OSTagFlags[0], 1);
  EXPECT_EQ(record.OSTagFlags[35], 1);
  EXPECT_EQ(record.OSTagFlags[1], 0);
}

TEST(ReadDescriptionSourceTest, SurvivesBinaryTruncatedAndNulFilledFiles) {
  TempDir dir;
  const std::string english = dir.WriteFile("English.ini", kEnglish);

  static constexpr char kBinary[] = "\x7F" "ELF\x02\x01\x01\x00\x00\x00\xFF\xFE\r[InstAllInfo\x00]";
  const std::string binary =
      dir.WriteFile("bin/Setup.ini", std::string(kBinary, sizeof(kBinary) - 1));
  DescrStruct fromBinary;
  ReadDescriptionSource(fromBinary, binary, english);
  EXPECT_EQ(fromBinary.Version, "");
  EXPECT_EQ(fromBinary.WHQLStatus, "");
  EXPECT_EQ(fromBinary.Title, "Demo Driver");

  // Cut off in the middle of a line, without a line end.
  const std::string truncated =
      dir.WriteFile("cut/Readme.ini", "[Information]\r\nTool_Version=2.5\r\nTool_Name=Half");
  DescrStruct fromTruncated;
  ReadDescriptionSource(fromTruncated, truncated, "");
  EXPECT_EQ(fromTruncated.ToolVersion, "2.5");
  EXPECT_EQ(fromTruncated.ToolName, "Half");

  static constexpr char kWithNul[] =
      "[Information]\r\nTool_Name=Foo\x00junk\r\nTool_Version=3.1\r\nDescription=Plain\r\n";
  const std::string withNul =
      dir.WriteFile("with-nul/Readme.ini", std::string(kWithNul, sizeof(kWithNul) - 1));
  DescrStruct fromNul;
  ReadDescriptionSource(fromNul, withNul, "");
  EXPECT_EQ(fromNul.ToolName.substr(0, 3), "Foo");
  EXPECT_EQ(fromNul.ToolVersion, "3.1");
  EXPECT_EQ(fromNul.ToolDescription, "Plain");
}

TEST_F(PackageRecordsTest, BinaryZoltSetupGivesNoSources) {
  static constexpr char kBinary[] = "\x00\x01[Root]\x00InstallType=4\xFF\r\n[InstallPath\x00\r\n";
  disc_.WriteFile("Pkg/ZoltSetup.ini", std::string(kBinary, sizeof(kBinary) - 1));
  disc_.WriteFile("Pkg/English.ini", kEnglish);
  Analyse();
  EXPECT_TRUE(ListDescriptionSources(*tree_, Node("Pkg")).empty());
  EXPECT_EQ(Chain(Node("Pkg")).size(), 1u);
  EXPECT_TRUE(messages_.messages.empty());
}

// ---------------------------------------------------------------------------
// Certification status

TEST(CombineWhqlStatusTest, CombinesTheTwoFieldsByTheTable) {
  EXPECT_EQ(CombineWhqlStatus("1", "0"), "0");
  EXPECT_EQ(CombineWhqlStatus("1", "1"), "1");
  EXPECT_EQ(CombineWhqlStatus("1", ""), "1");
  EXPECT_EQ(CombineWhqlStatus("", "0"), "0");
  EXPECT_EQ(CombineWhqlStatus("", ""), "");
  EXPECT_EQ(CombineWhqlStatus("3", "1"), "1");
  EXPECT_EQ(CombineWhqlStatus("2", "1"), "0");
  EXPECT_EQ(CombineWhqlStatus("7", "6"), "6");
  EXPECT_EQ(CombineWhqlStatus("+3", "-1"), "3");
  EXPECT_EQ(CombineWhqlStatus("-2147483648", "-1"), "-2147483648");
  // A lone field is taken as written, number or not.
  EXPECT_EQ(CombineWhqlStatus("yes", ""), "yes");
  EXPECT_EQ(CombineWhqlStatus("", "03"), "03");
}

TEST(CombineWhqlStatusTest, UnreadableNumbersMakeNoCertificationClaim) {
  EXPECT_EQ(CombineWhqlStatus("yes", "1"), "");
  EXPECT_EQ(CombineWhqlStatus("1", "1.0"), "");
  EXPECT_EQ(CombineWhqlStatus("1", "0x1"), "");
  EXPECT_EQ(CombineWhqlStatus("1", "-"), "");
  EXPECT_EQ(CombineWhqlStatus("1 1", "1"), "");
  EXPECT_EQ(CombineWhqlStatus("2147483648", "1"), "");
  EXPECT_EQ(CombineWhqlStatus("1", "-2147483649"), "");
  EXPECT_EQ(CombineWhqlStatus("2147483647", "1"), "1");
}

}  // namespace
}  // namespace cartulon
