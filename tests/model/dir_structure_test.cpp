// The folder tree of a support disc: scan, nodes, look-ups and check flags,
// on small discs built in a scratch folder.
#include "model/dir_structure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/disc_files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> ChildNames(const DirNode* node) {
  std::vector<std::string> names;
  for (const DirNode* child : node->Children) names.push_back(child->Name);
  return names;
}

// The sub-folder names of a folder in the order the file system lists them.
std::vector<std::string> ListedFolders(const std::string& folder) {
  std::vector<std::string> names;
  const std::vector<FolderEntry> entries = ListFolder(folder).value();
  for (const FolderEntry& entry : entries) {
    if (entry.isFolder) names.push_back(entry.name);
  }
  return names;
}

std::vector<std::string> ListedFiles(const std::string& folder) {
  std::vector<std::string> names;
  const std::vector<FolderEntry> entries = ListFolder(folder).value();
  for (const FolderEntry& entry : entries) {
    if (!entry.isFolder) names.push_back(entry.name);
  }
  return names;
}

DirNode* ChildNamed(const DirNode* node, const std::string& name) {
  for (DirNode* child : node->Children) {
    if (child->Name == name) return child;
  }
  return nullptr;
}

int DeepestDepth(const DirNode* node) {
  int deepest = node->Depth;
  for (const DirNode* child : node->Children) deepest = std::max(deepest, DeepestDepth(child));
  return deepest;
}

class DirStructureTest : public ::testing::Test {
 protected:
  std::string Disc(std::string_view rel = {}) const { return disc.Path(rel); }

  TempDir disc;
  RecordingMessageSink messages;
};

// --- Construction and scan depth -------------------------------------------

TEST_F(DirStructureTest, NegativeDepthReportsAndBuildsNoRoot) {
  disc.MakeFolder("Drivers");
  disc.WriteFile("Ver.tag", "1");
  DirStructure tree(Disc(), -1, messages);

  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "DirStructure");
  EXPECT_EQ(messages.messages[0].text,
            "Search\xA1\xA1"
            "Depth must be bigger than or equal to 0.");
  EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(tree.RootDir, nullptr);
  EXPECT_TRUE(tree.RootPath.empty());
  EXPECT_EQ(tree.NodeCount(), 0u);
  EXPECT_EQ(tree.FindNode(Disc()), nullptr);
  EXPECT_EQ(tree.AddFileChild(Disc("Ver.tag")), nullptr);
  EXPECT_EQ(tree.NodeCount(), 0u);
}

TEST_F(DirStructureTest, DepthZeroIsTheRootAlone) {
  disc.MakeFolder("Drivers/Audio");
  disc.MakeFolder("Bin");
  DirStructure tree(Disc(), 0, messages);

  ASSERT_NE(tree.RootDir, nullptr);
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(tree.NodeCount(), 1u);
  EXPECT_TRUE(tree.RootDir->Children.empty());
  EXPECT_EQ(tree.MaxDepth, 0);
  EXPECT_EQ(tree.RootPath, Disc());
  EXPECT_EQ(tree.RootDir->FullPath, Disc());
  EXPECT_EQ(tree.RootDir->Name, LastComponent(Disc()));
  EXPECT_EQ(tree.RootDir->Depth, 0);
  EXPECT_EQ(tree.RootDir->Parent, nullptr);
  EXPECT_TRUE(tree.RootDir->Checked);
  EXPECT_EQ(tree.RootDir->Data, nullptr);
  EXPECT_FALSE(tree.RootDir->Listed);
}

TEST_F(DirStructureTest, DepthOneHoldsTheDirectSubfoldersUnopened) {
  disc.MakeFolder("Drivers/Audio");
  disc.MakeFolder("Bin");
  DirStructure tree(Disc(), 1, messages);

  ASSERT_EQ(tree.RootDir->Children.size(), 2u);
  for (const DirNode* child : tree.RootDir->Children) {
    EXPECT_EQ(child->Depth, 1);
    EXPECT_TRUE(child->Children.empty()) << child->Name;
    EXPECT_FALSE(child->Listed) << child->Name;
  }
  EXPECT_EQ(tree.NodeCount(), 3u);
  EXPECT_TRUE(tree.RootDir->Listed);
}

TEST_F(DirStructureTest, DefaultDepthStopsLookingInsideAtSix) {
  const std::string chain = "L1/L2/L3/L4/L5/L6/L7/L8";
  disc.MakeFolder(chain);
  DirStructure tree(Disc(), 6, messages);

  EXPECT_EQ(DeepestDepth(tree.RootDir), 6);
  EXPECT_EQ(tree.NodeCount(), 7u);
  DirNode* sixth = tree.FindNode(Disc("L1/L2/L3/L4/L5/L6"));
  ASSERT_NE(sixth, nullptr);
  EXPECT_EQ(sixth->Depth, 6);
  EXPECT_TRUE(sixth->Children.empty());
  EXPECT_EQ(tree.FindNode(Disc("L1/L2/L3/L4/L5/L6/L7")), nullptr);
}

TEST_F(DirStructureTest, ScannedNodesFollowTheTreeInvariants) {
  disc.MakeFolder("Drivers/Audio/Realtek");
  disc.MakeFolder("Drivers/LAN");
  disc.MakeFolder("Manual");
  DirStructure tree(Disc(), 6, messages);

  EXPECT_EQ(tree.RootDir->Parent, nullptr);
  EXPECT_EQ(tree.RootDir->Depth, 0);
  std::vector<const DirNode*> pending(tree.RootDir->Children.begin(),
                                      tree.RootDir->Children.end());
  std::size_t seen = 1;
  while (!pending.empty()) {
    const DirNode* node = pending.back();
    pending.pop_back();
    ++seen;
    ASSERT_NE(node->Parent, nullptr);
    EXPECT_EQ(node->Depth, node->Parent->Depth + 1);
    EXPECT_EQ(node->FullPath, node->Parent->FullPath + kPathDelimiter + node->Name);
    EXPECT_TRUE(node->Checked);
    EXPECT_EQ(node->Data, nullptr);
    EXPECT_FALSE(node->IsFileLeaf);
    EXPECT_TRUE(FolderExists(node->FullPath)) << node->FullPath;
    pending.insert(pending.end(), node->Children.begin(), node->Children.end());
  }
  EXPECT_EQ(seen, 6u);
  EXPECT_EQ(seen, tree.NodeCount());
}

TEST_F(DirStructureTest, RootWithTrailingDelimiterHasAnEmptyName) {
  disc.MakeFolder("Drivers");
  const std::string passed = Disc() + kPathDelimiter;
  DirStructure tree(passed, 6, messages);

  EXPECT_EQ(tree.RootPath, passed);
  EXPECT_EQ(tree.RootDir->Name, "");
  EXPECT_EQ(tree.RootDir->FullPath, Disc());
  ASSERT_EQ(tree.RootDir->Children.size(), 1u);
  EXPECT_EQ(tree.RootDir->Children[0]->FullPath, Disc("Drivers"));
  EXPECT_EQ(tree.FindNode(passed), tree.RootDir);
}

// The file-system root is this platform's bare drive: no name, an empty
// FullPath, and still listed.
TEST_F(DirStructureTest, FileSystemRootIsTheBareDrive) {
  const std::string root(1, kPathDelimiter);
  DirStructure tree(root, 1, messages);

  ASSERT_NE(tree.RootDir, nullptr);
  EXPECT_EQ(tree.RootDir->Name, "");
  EXPECT_EQ(tree.RootDir->FullPath, "");
  EXPECT_EQ(tree.FindNode(root), tree.RootDir);
  EXPECT_EQ(ChildNames(tree.RootDir), ListedFolders(root));
  ASSERT_FALSE(tree.RootDir->Children.empty());
  for (const DirNode* child : tree.RootDir->Children) {
    EXPECT_EQ(child->FullPath, root + child->Name);
    EXPECT_EQ(tree.FindNode(child->FullPath), child);
  }
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DirStructureTest, FilesAreNotNodesButHiddenFoldersAre) {
  disc.WriteFile("Ver.tag", "x");
  disc.WriteFile("Drivers/Readme.ini", "[x]");
  disc.MakeFolder(".hidden");
  disc.MakeFolder("Drivers/.svn");
  DirStructure tree(Disc(), 6, messages);

  EXPECT_NE(ChildNamed(tree.RootDir, ".hidden"), nullptr);
  EXPECT_EQ(ChildNamed(tree.RootDir, "Ver.tag"), nullptr);
  DirNode* drivers = ChildNamed(tree.RootDir, "Drivers");
  ASSERT_NE(drivers, nullptr);
  EXPECT_EQ(ChildNames(drivers), std::vector<std::string>{".svn"});
  EXPECT_EQ(tree.NodeCount(), 4u);
}

// --- Display order ----------------------------------------------------------

TEST_F(DirStructureTest, ScannedFoldersAreSortedButTheRootIsNot) {
  for (const char* name : {"Drivers", "bin", "Audio", "LAN"}) {
    disc.MakeFolder(std::string(name) + "/Sub");
    disc.MakeFolder(std::string("Tools/") + name);
  }
  DirStructure tree(Disc(), 6, messages);

  // The root keeps the listing order until the view binds the tree.
  EXPECT_EQ(ChildNames(tree.RootDir), ListedFolders(Disc()));
  DirNode* tools = ChildNamed(tree.RootDir, "Tools");
  ASSERT_NE(tools, nullptr);
  const std::vector<std::string> sorted{"Audio", "bin", "Drivers", "LAN"};
  EXPECT_EQ(ChildNames(tools), sorted);

  DirStructure::SortChildren(tree.RootDir);
  EXPECT_EQ(ChildNames(tree.RootDir),
            (std::vector<std::string>{"Audio", "bin", "Drivers", "LAN", "Tools"}));
}

TEST_F(DirStructureTest, NamesThatAreNotUtf8StayByteExact) {
  const std::string gbk = "\xB3\xCC\xD0\xF2";  // two double-byte characters
  const std::string latin = "Caf\xE9";
  disc.MakeFolder("Tools/" + gbk + "/Inner");
  disc.MakeFolder("Tools/" + latin);
  disc.MakeFolder("Tools/Audio");
  DirStructure tree(Disc(), 6, messages);

  DirNode* tools = tree.FindNode(Disc("Tools"));
  ASSERT_NE(tools, nullptr);
  EXPECT_EQ(ChildNames(tools), (std::vector<std::string>{gbk, "Audio", latin}));
  DirNode* inner = tree.FindNode(Disc("Tools/" + gbk + "/Inner"));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Parent->Name, gbk);
  EXPECT_EQ(inner->Parent->Name.size(), 4u);
}

// --- Robustness --------------------------------------------------------------

TEST_F(DirStructureTest, UnreadableFolderGivesNoChildrenAndNoMessage) {
  disc.MakeFolder("Locked/Inner");
  disc.MakeFolder("Open/Inner");
  const std::string locked = Disc("Locked");
  fs::permissions(locked, fs::perms::all, fs::perm_options::remove);
  const bool stillReadable = ListFolder(locked).has_value();
  DirStructure tree(Disc(), 6, messages);
  fs::permissions(locked, fs::perms::owner_all, fs::perm_options::add);

  EXPECT_TRUE(messages.messages.empty());
  DirNode* open = tree.FindNode(Disc("Open"));
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->Children.size(), 1u);
  DirNode* lockedNode = tree.FindNode(locked);
  ASSERT_NE(lockedNode, nullptr);
  if (stillReadable) {
    GTEST_SKIP() << "permissions do not stop this process from listing a folder";
  }
  EXPECT_TRUE(lockedNode->Children.empty());
  EXPECT_TRUE(tree.FileNames(lockedNode).empty());
}

TEST_F(DirStructureTest, MissingRootOrFileRootIsTheRootAlone) {
  disc.WriteFile("Ver.tag", "x");
  DirStructure missing(Disc("Gone"), 6, messages);
  ASSERT_NE(missing.RootDir, nullptr);
  EXPECT_TRUE(missing.RootDir->Children.empty());
  EXPECT_EQ(missing.RootDir->Name, "Gone");

  DirStructure file(Disc("Ver.tag"), 6, messages);
  ASSERT_NE(file.RootDir, nullptr);
  EXPECT_TRUE(file.RootDir->Children.empty());
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DirStructureTest, FolderThatVanishedAfterTheScanListsNothing) {
  disc.WriteFile("Drivers/Readme.ini", "[x]");
  DirStructure tree(Disc(), 1, messages);
  DirNode* drivers = tree.FindNode(Disc("Drivers"));
  ASSERT_NE(drivers, nullptr);
  fs::remove_all(Disc("Drivers"));

  EXPECT_TRUE(tree.FileNames(drivers).empty());
  EXPECT_EQ(tree.FindFile(drivers, "Readme.ini"), std::nullopt);
  EXPECT_TRUE(messages.messages.empty());
}

// --- Links and names the scan leaves out -----------------------------------

std::vector<std::string> SkippedAs(const DirStructure& tree, SkipReason reason) {
  std::vector<std::string> names;
  for (const SkippedEntry& entry : tree.Skipped) {
    if (entry.reason == reason) names.push_back(entry.folderPath + "|" + entry.name);
  }
  return names;
}

TEST_F(DirStructureTest, LinksBackToAnAncestorAreLeftOutAtAnyDepth) {
  if (!test_support::CanCreateSymbolicLinks()) GTEST_SKIP() << "no symbolic links here";
  disc.MakeFolder("A");
  disc.MakeFolder("B/C");
  fs::create_directory_symlink("..", Disc("A/up"));
  fs::create_directory_symlink(".", Disc("A/self"));
  fs::create_directory_symlink("../../B", Disc("B/C/back"));
  fs::create_directory_symlink("../B", Disc("A/toB"));  // a sibling: followed
  for (int depth : {6, 100000}) {
    DirStructure tree(Disc(), depth, messages);
    EXPECT_EQ(ChildNames(tree.FindNode(Disc("A"))), std::vector<std::string>{"toB"});
    EXPECT_EQ(ChildNames(tree.FindNode(Disc("A/toB"))), std::vector<std::string>{"C"});
    EXPECT_TRUE(tree.FindNode(Disc("B/C"))->Children.empty());
    EXPECT_EQ(tree.NodeCount(), 6u);  // root, A, A/toB, A/toB/C, B, B/C
    std::vector<std::string> loops = SkippedAs(tree, SkipReason::LinkLoop);
    std::sort(loops.begin(), loops.end());
    EXPECT_EQ(loops, (std::vector<std::string>{Disc("A/toB/C") + "|back", Disc("A") + "|self",
                                               Disc("A") + "|up", Disc("B/C") + "|back"}));
  }
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DirStructureTest, LinksLeavingTheDiscAreLeftOutEvenWhenTheRootIsALink) {
  if (!test_support::CanCreateSymbolicLinks()) GTEST_SKIP() << "no symbolic links here";
  TempDir outside;
  outside.MakeFolder("Secret/Inner");
  disc.MakeFolder("Disc/Drivers/Real");
  fs::create_directory_symlink(outside.Path("Secret"), Disc("Disc/Drivers/Away"));
  fs::create_directory_symlink("../..", Disc("Disc/Drivers/Above"));
  fs::create_directory_symlink("Real", Disc("Disc/Drivers/Alias"));
  fs::create_directory_symlink(Disc("Disc"), Disc("RootLink"));

  for (const std::string& root : {Disc("Disc"), Disc("RootLink")}) {
    DirStructure tree(root, 6, messages);
    EXPECT_EQ(ChildNames(tree.FindNode(root + "/Drivers")),
              (std::vector<std::string>{"Alias", "Real"}));
    std::vector<std::string> away = SkippedAs(tree, SkipReason::OutsideDisc);
    std::sort(away.begin(), away.end());
    EXPECT_EQ(away, (std::vector<std::string>{root + "/Drivers|Above", root + "/Drivers|Away"}));
  }
}

TEST(NameFitsDiscTest, RefusesControlCharactersAndWhatWindowsForbids) {
  for (char c : std::string("\\/:*?\"<>|\x01\x09\x0A\x0D\x1F\x7F")) {
    EXPECT_FALSE(DirStructure::NameFitsDisc(std::string("a") + c + "b")) << int(c);
  }
  for (const char* name : {"Drivers", "Intel RAID 1.0", "a.b", "~$x", "\xB3\xCC\x80\xFF", " "}) {
    EXPECT_TRUE(DirStructure::NameFitsDisc(name)) << name;
  }
}

TEST_F(DirStructureTest, NamesADiscCannotHoldAreLeftOutAndReportedOnce) {
  if (!test_support::ForbiddenNamesCanExist()) GTEST_SKIP() << "the system refuses such names";
  const std::string injected = "Fake\r\n  -Injected  - Evil Corp";
  for (const std::string& name : {injected, std::string("a:b"), std::string("x|y"),
                                  std::string("del\x7F"), std::string("Fine \xB3\xCC")}) {
    disc.MakeFolder("Drivers/" + name);
  }
  disc.WriteFile("Drivers/Ver?.tag", "x");
  disc.WriteFile("Drivers/Fine \xB3\xCC/Note\x01.txt", "x");
  DirStructure tree(Disc(), 6, messages);

  EXPECT_EQ(ChildNames(tree.FindNode(Disc("Drivers"))),
            std::vector<std::string>{"Fine \xB3\xCC"});
  EXPECT_EQ(tree.AddFileChild(Disc("Drivers/Ver?.tag")), nullptr);
  EXPECT_EQ(tree.AddFileChild(Disc("Drivers/Fine \xB3\xCC/Note\x01.txt")), nullptr);
  EXPECT_EQ(SkippedAs(tree, SkipReason::BadName).size(), 6u);
  EXPECT_TRUE(messages.messages.empty());  // the scan itself says nothing

  tree.ReportLeftOutNames();
  ASSERT_EQ(messages.messages.size(), 1u);
  const Message& report = messages.messages[0];
  EXPECT_EQ(report.caption, "Zolt Cartulon");
  EXPECT_EQ(report.kind, MessageKind::Warning);
  EXPECT_NE(report.text.find("Left out \"Fake\\x0D\\x0A  -Injected  - Evil Corp\" in " +
                             Disc("Drivers") + ": the name holds a character a disc cannot hold."),
            std::string::npos);
  EXPECT_NE(report.text.find("\"del\\x7F\""), std::string::npos);
  EXPECT_NE(report.text.find("\"Note\\x01.txt\" in " + Disc("Drivers/Fine \xB3\xCC")),
            std::string::npos);
  EXPECT_EQ(std::count(report.text.begin(), report.text.end(), '\n'), 5);
  EXPECT_EQ(report.text.find('\r'), std::string::npos);

  tree.ReportLeftOutNames();  // nothing new
  EXPECT_EQ(messages.messages.size(), 1u);
}

// A file the code page cannot spell is left out for that, not blamed on a
// forbidden character; one it can spell takes its name in the code page.
TEST_F(DirStructureTest, FileLeavesAreNamedInTheCodePage) {
  if (kPathDelimiter != '/') GTEST_SKIP() << "names on disc are in the code page already";
  disc.WriteFile("Drivers/\xCE\xA9.txt", "x");  // Ω
  disc.WriteFile("Drivers/\xC3\xA9.txt", "x");  // é
  SetRunCodePage(1252);
  DirStructure tree(Disc(), 6, messages);
  EXPECT_EQ(tree.AddFileChild(Disc("Drivers/\xCE\xA9.txt")), nullptr);
  const DirNode* spelt = tree.AddFileChild(Disc("Drivers/\xC3\xA9.txt"));
  SetRunCodePage(0);
  ASSERT_NE(spelt, nullptr);
  EXPECT_EQ(spelt->Name, "\xE9.txt");
  EXPECT_EQ(SkippedAs(tree, SkipReason::NotInCodePage),
            std::vector<std::string>{Disc("Drivers") + "|\xCE\xA9.txt"});
  EXPECT_TRUE(SkippedAs(tree, SkipReason::BadName).empty());
}

TEST_F(DirStructureTest, LinkedFolderCountsAsAFolder) {
  if (!test_support::CanCreateSymbolicLinks()) GTEST_SKIP() << "no symbolic links here";
  disc.MakeFolder("Real/Inner");
  fs::create_directory_symlink("Real", Disc("Linked"));
  DirStructure tree(Disc(), 6, messages);

  DirNode* linked = tree.FindNode(Disc("Linked"));
  ASSERT_NE(linked, nullptr);
  EXPECT_EQ(ChildNames(linked), std::vector<std::string>{"Inner"});
}

// --- AddChild and AddFileChild ----------------------------------------------

TEST_F(DirStructureTest, AddChildAppendsAndCopiesTheParentsCheck) {
  disc.MakeFolder("B");
  DirStructure tree(Disc(), 6, messages);
  DirNode* b = tree.FindNode(Disc("B"));
  b->Checked = false;

  DirNode* a = tree.AddChild(Disc("B/A") + kPathDelimiter, b);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->FullPath, Disc("B/A"));
  EXPECT_EQ(a->Name, "");
  EXPECT_EQ(a->Depth, 2);
  EXPECT_EQ(a->Parent, b);
  EXPECT_FALSE(a->Checked);
  DirNode* z = tree.AddChild(Disc("B/Z"), b);
  EXPECT_EQ(b->Children, (std::vector<DirNode*>{a, z}));
  EXPECT_EQ(z->Name, "Z");
  EXPECT_EQ(tree.NodeCount(), 4u);
}

TEST_F(DirStructureTest, FileLeafComesAfterTheSubfoldersAndInheritsTheCheck) {
  disc.MakeFolder("Drivers/Audio");
  disc.MakeFolder("Drivers/Chipset");
  disc.WriteFile("Drivers/Aaa.txt", "x");
  disc.WriteFile("Drivers/Zzz.txt", "x");
  DirStructure tree(Disc(), 6, messages);
  DirNode* drivers = tree.FindNode(Disc("Drivers"));
  drivers->Checked = false;

  DirNode* zzz = tree.AddFileChild(Disc("Drivers/Zzz.txt"));
  DirNode* aaa = tree.AddFileChild(Disc("Drivers/Aaa.txt"));
  ASSERT_NE(zzz, nullptr);
  ASSERT_NE(aaa, nullptr);
  EXPECT_EQ(ChildNames(drivers),
            (std::vector<std::string>{"Audio", "Chipset", "Zzz.txt", "Aaa.txt"}));
  EXPECT_EQ(aaa->FullPath, Disc("Drivers/Aaa.txt"));
  EXPECT_EQ(aaa->Depth, 2);
  EXPECT_EQ(aaa->Parent, drivers);
  EXPECT_FALSE(aaa->Checked);
  EXPECT_TRUE(aaa->IsFileLeaf);
  EXPECT_TRUE(aaa->Listed);
  EXPECT_TRUE(tree.FileNames(aaa).empty());
  EXPECT_EQ(tree.FindFile(aaa, "Aaa.txt"), std::nullopt);
  EXPECT_EQ(tree.FindNode(Disc("Drivers/Aaa.txt")), aaa);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DirStructureTest, FileLeafUnderTheRootIsSortedInWhenTheRootIs) {
  disc.MakeFolder("Bin");
  disc.MakeFolder("Drivers");
  disc.WriteFile("Ver.tag", "x");
  DirStructure tree(Disc(), 6, messages);

  ASSERT_NE(tree.AddFileChild(Disc("Ver.tag")), nullptr);
  EXPECT_EQ(tree.RootDir->Children.back()->Name, "Ver.tag");
  DirStructure::SortChildren(tree.RootDir);
  EXPECT_EQ(ChildNames(tree.RootDir), (std::vector<std::string>{"Bin", "Drivers", "Ver.tag"}));
}

TEST_F(DirStructureTest, FileLeafUnderAFolderAtMaxDepthIsOneDeeper) {
  disc.WriteFile("Drivers/Audio/Setup.exe", "x");
  DirStructure tree(Disc(), 1, messages);

  DirNode* leaf = tree.AddFileChild(Disc("Drivers/Setup.exe"));
  EXPECT_EQ(leaf, nullptr);  // no such file there
  disc.WriteFile("Drivers/Setup.exe", "x");
  leaf = tree.AddFileChild(Disc("Drivers/Setup.exe"));
  ASSERT_NE(leaf, nullptr);
  EXPECT_EQ(leaf->Depth, 2);
  EXPECT_EQ(leaf->Parent, tree.FindNode(Disc("Drivers")));
}

TEST_F(DirStructureTest, AddFileChildRefusesSilentlyWhatItCannotPlace) {
  disc.WriteFile("Drivers/Audio/Deep/Setup.exe", "x");
  disc.WriteFile("Drivers/Readme.ini", "x");
  DirStructure tree(Disc(), 2, messages);
  const std::size_t before = tree.NodeCount();

  EXPECT_EQ(tree.AddFileChild(Disc("Drivers/Missing.txt")), nullptr);
  EXPECT_EQ(tree.AddFileChild(Disc("Drivers/Audio")), nullptr);          // a folder
  EXPECT_EQ(tree.AddFileChild(Disc("Drivers/Audio/Deep/Setup.exe")), nullptr);  // below MaxDepth
  EXPECT_EQ(tree.AddFileChild(Disc("Drivers/Readme.ini") + kPathDelimiter), nullptr);
  EXPECT_EQ(tree.AddFileChild(Disc("drivers/Readme.ini")), nullptr);  // folder case differs
  EXPECT_EQ(tree.NodeCount(), before);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DirStructureTest, AddFileChildFindsTheFileWhateverItsLetterCase) {
  disc.WriteFile("Ver.tag", "x");
  DirStructure tree(Disc(), 6, messages);

  DirNode* leaf = tree.AddFileChild(Disc("VER.TAG"));
  ASSERT_NE(leaf, nullptr);
  EXPECT_EQ(leaf->FullPath, Disc("VER.TAG"));  // kept as given
  EXPECT_EQ(leaf->Name, "VER.TAG");
}

// A bare file name has no folder to hang under: an existing one is reported.
class AddFileChildWithoutFolderTest : public DirStructureTest {
 protected:
  void SetUp() override {
    saved_ = fs::current_path();
    fs::current_path(work.Path());
  }
  void TearDown() override { fs::current_path(saved_); }

  TempDir work;
  fs::path saved_;
};

TEST_F(AddFileChildWithoutFolderTest, ExistingFileIsReportedAsAWarning) {
  work.WriteFile("Ver.tag", "x");
  disc.MakeFolder("Drivers");
  DirStructure tree(Disc(), 6, messages);

  EXPECT_EQ(tree.AddFileChild("Ver.tag"), nullptr);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "AddFileChild");
  EXPECT_EQ(messages.messages[0].text, "FullPath error: Ver.tag");
  EXPECT_EQ(messages.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(tree.NodeCount(), 2u);

  EXPECT_EQ(tree.AddFileChild("ver.TAG"), nullptr);
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[1].text, "FullPath error: ver.TAG");
}

TEST_F(AddFileChildWithoutFolderTest, MissingFileIsRefusedSilently) {
  DirStructure tree(Disc(), 6, messages);
  EXPECT_EQ(tree.AddFileChild("Ver.tag"), nullptr);
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(tree.NodeCount(), 1u);
}

// --- FindNode -------------------------------------------------------------------

TEST_F(DirStructureTest, FindNodeIsExactAndIgnoresATrailingDelimiter) {
  disc.MakeFolder("Drivers/Audio");
  DirStructure tree(Disc(), 6, messages);
  DirNode* audio = tree.FindNode(Disc("Drivers/Audio"));

  ASSERT_NE(audio, nullptr);
  EXPECT_EQ(audio->Name, "Audio");
  EXPECT_EQ(tree.FindNode(Disc("Drivers/Audio") + kPathDelimiter), audio);
  EXPECT_EQ(tree.FindNode(Disc()), tree.RootDir);
  EXPECT_EQ(tree.FindNode(Disc() + kPathDelimiter), tree.RootDir);
  EXPECT_EQ(tree.FindNode(Disc("DRIVERS/Audio")), nullptr);
  EXPECT_EQ(tree.FindNode(Disc("Drivers/audio")), nullptr);
  EXPECT_EQ(tree.FindNode(Disc("Drivers/Aud")), nullptr);
  EXPECT_EQ(tree.FindNode(Disc("Drivers//Audio")), nullptr);
  EXPECT_EQ(tree.FindNode("Audio"), nullptr);
}

TEST_F(DirStructureTest, FindNodeFollowsThePathDownTheTree) {
  disc.MakeFolder("A/B");
  disc.MakeFolder("A/B2/X");
  disc.MakeFolder("A/BX");
  disc.MakeFolder("C");
  DirStructure tree(Disc(), 6, messages);
  DirStructure::SortChildren(tree.RootDir);
  DirNode* added = tree.AddChild(Disc("C/Added"), tree.FindNode(Disc("C")));

  // A name that begins like a sibling's is not taken for it.
  for (const char* path : {"A/B", "A/B2", "A/B2/X", "A/BX", "C"}) {
    const DirNode* node = tree.FindNode(Disc(path));
    ASSERT_NE(node, nullptr) << path;
    EXPECT_EQ(node->FullPath, Disc(path));
  }
  EXPECT_EQ(tree.FindNode(Disc("A/B2/Y")), nullptr);
  EXPECT_EQ(tree.FindNode(Disc("A/B/X")), nullptr);
  EXPECT_EQ(tree.FindNode(Disc("C/Added")), added);
  EXPECT_EQ(DirStructure::FindInSubtree(tree.FindNode(Disc("C")), Disc("C/Added")), added);
  EXPECT_EQ(DirStructure::FindInSubtree(tree.FindNode(Disc("C")), Disc("A/B")), nullptr);
  EXPECT_EQ(DirStructure::FindInSubtree(tree.RootDir, Disc()), nullptr);  // not the node itself
  EXPECT_EQ(DirStructure::FindInSubtree(nullptr, Disc("C")), nullptr);
}

// --- Check flags ------------------------------------------------------------------

class CheckFlagTest : public DirStructureTest {
 protected:
  void SetUp() override {
    disc.MakeFolder("Drivers/Audio/Realtek");
    disc.MakeFolder("Drivers/LAN");
    disc.MakeFolder("Bin/Sub");
    tree = std::make_unique<DirStructure>(Disc(), 6, messages);
  }
  DirNode* Node(std::string_view rel) const { return tree->FindNode(Disc(rel)); }

  std::unique_ptr<DirStructure> tree;
};

TEST_F(CheckFlagTest, UncheckingASubtreeLeavesTheAncestors) {
  DirStructure::SetCheckedSubtree(Node("Drivers/Audio"), false);

  EXPECT_FALSE(Node("Drivers/Audio")->Checked);
  EXPECT_FALSE(Node("Drivers/Audio/Realtek")->Checked);
  EXPECT_TRUE(Node("Drivers")->Checked);
  EXPECT_TRUE(Node("Drivers/LAN")->Checked);
  EXPECT_TRUE(tree->RootDir->Checked);
}

TEST_F(CheckFlagTest, CheckingASubtreeChecksEveryAncestor) {
  DirStructure::SetCheckedSubtree(tree->RootDir, false);
  DirStructure::SetCheckedSubtree(Node("Drivers/Audio"), true);

  EXPECT_TRUE(Node("Drivers/Audio")->Checked);
  EXPECT_TRUE(Node("Drivers/Audio/Realtek")->Checked);
  EXPECT_TRUE(Node("Drivers")->Checked);
  EXPECT_TRUE(tree->RootDir->Checked);
  EXPECT_FALSE(Node("Drivers/LAN")->Checked);
  EXPECT_FALSE(Node("Bin")->Checked);
  EXPECT_FALSE(Node("Bin/Sub")->Checked);
}

TEST_F(CheckFlagTest, HasCheckedChildLooksAtDirectChildrenOnly) {
  DirStructure::SetCheckedSubtree(tree->RootDir, false);
  Node("Drivers/Audio/Realtek")->Checked = true;

  EXPECT_FALSE(DirStructure::HasCheckedChild(Node("Drivers")));
  EXPECT_TRUE(DirStructure::HasCheckedChild(Node("Drivers/Audio")));
  EXPECT_FALSE(DirStructure::HasCheckedChild(Node("Drivers/Audio/Realtek")));  // no children
  Node("Drivers/LAN")->Checked = true;
  EXPECT_TRUE(DirStructure::HasCheckedChild(Node("Drivers")));
  EXPECT_FALSE(DirStructure::HasCheckedChild(nullptr));
}

// --- File names and the letter-case rule --------------------------------------------

TEST_F(DirStructureTest, FileNamesComeFromTheScansOneListing) {
  disc.WriteFile("Pkg/ZoltSetup.ini", "x");
  disc.WriteFile("Pkg/English.ini", "x");
  disc.MakeFolder("Pkg/Bin");
  DirStructure tree(Disc(), 6, messages);
  DirNode* pkg = tree.FindNode(Disc("Pkg"));
  const std::vector<std::string> expected = ListedFiles(Disc("Pkg"));

  EXPECT_TRUE(pkg->Listed);
  EXPECT_EQ(pkg->FileNames, expected);
  EXPECT_EQ(expected.size(), 2u);
  // A file that appears after the scan is not in the scan's picture.
  disc.WriteFile("Pkg/Readme.ini", "x");
  EXPECT_EQ(tree.FileNames(pkg), expected);
  EXPECT_EQ(tree.FindFile(pkg, "Readme.ini"), std::nullopt);
}

TEST_F(DirStructureTest, FileNamesListsAFolderAtMaxDepthOnFirstUse) {
  disc.WriteFile("Pkg/Readme.ini", "x");
  disc.MakeFolder("Pkg/Bin");
  DirStructure tree(Disc(), 1, messages);
  DirNode* pkg = tree.FindNode(Disc("Pkg"));

  EXPECT_FALSE(pkg->Listed);
  EXPECT_EQ(tree.FileNames(pkg), std::vector<std::string>{"Readme.ini"});
  EXPECT_TRUE(pkg->Listed);
  EXPECT_TRUE(pkg->Children.empty());  // the lazy listing adds no nodes
}

TEST_F(DirStructureTest, FindFilePrefersTheExactNameThenTheFirstCaseVariant) {
  if (!test_support::NamesDifferingOnlyInCaseCoexist()) {
    GTEST_SKIP() << "one folder cannot hold README.INI and Readme.ini here";
  }
  disc.WriteFile("Pkg/README.INI", "upper");
  disc.WriteFile("Pkg/Readme.ini", "mixed");
  disc.WriteFile("Pkg/English.ini", "x");
  disc.MakeFolder("Pkg/Bin");
  DirStructure tree(Disc(), 6, messages);
  DirNode* pkg = tree.FindNode(Disc("Pkg"));

  EXPECT_EQ(tree.FindFile(pkg, "Readme.ini"), Disc("Pkg/Readme.ini"));
  EXPECT_EQ(tree.FindFile(pkg, "README.INI"), Disc("Pkg/README.INI"));
  std::string firstVariant;
  for (const std::string& name : ListedFiles(Disc("Pkg"))) {
    if (EqualsIgnoringAsciiCase(name, "readme.ini")) {
      firstVariant = name;
      break;
    }
  }
  EXPECT_EQ(tree.FindFile(pkg, "readme.ini"), Disc("Pkg/" + firstVariant));
  EXPECT_EQ(tree.FindFile(pkg, "ENGLISH.INI"), Disc("Pkg/English.ini"));
  EXPECT_EQ(tree.FindFile(pkg, "bin"), std::nullopt);  // folders are not files
  EXPECT_EQ(tree.FindFile(pkg, "AppSetup.ini"), std::nullopt);
  EXPECT_EQ(tree.FindFile(nullptr, "Readme.ini"), std::nullopt);
}

}  // namespace
}  // namespace cartulon
