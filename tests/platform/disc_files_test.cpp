#include "platform/disc_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/temp_disc.h"

namespace cartulon {
namespace {

TEST(DiscFilesTest, ListFolderTellsFoldersFromFilesAndSkipsDotEntries) {
  TempDir disc;
  disc.MakeFolder("Drivers");
  disc.WriteFile("Ver.tag", "x");
  auto entries = ListFolder(disc.Root());
  ASSERT_TRUE(entries.has_value());
  ASSERT_EQ(entries->size(), 2u);
  for (const FolderEntry& e : *entries) {
    EXPECT_NE(e.name, ".");
    EXPECT_NE(e.name, "..");
    EXPECT_EQ(e.isFolder, e.name == "Drivers");
  }
  EXPECT_FALSE(ListFolder(disc.Path("missing")).has_value());
}

TEST(DiscFilesTest, SymbolicLinksToFoldersCountAsFolders) {
  TempDir disc;
  disc.MakeFolder("Real");
  std::filesystem::create_directory_symlink(disc.Path("Real"), disc.Path("Link"));
  std::filesystem::create_symlink(disc.Path("nowhere"), disc.Path("Dangling"));
  auto entries = ListFolder(disc.Root());
  ASSERT_TRUE(entries.has_value());
  for (const FolderEntry& e : *entries) {
    EXPECT_EQ(e.isFolder, e.name != "Dangling") << e.name;
  }
}

TEST(DiscFilesTest, MatchPrefersTheExactNameThenTheFirstCaseInsensitiveOne) {
  std::vector<FolderEntry> entries = {
      {"README.INI", false}, {"readme.ini", false}, {"Readme.ini", false}, {"Bin", true}};
  EXPECT_EQ(MatchEntryName(entries, "Readme.ini", EntryKind::File), "Readme.ini");
  EXPECT_EQ(MatchEntryName(entries, "ReadMe.Ini", EntryKind::File), "README.INI");
  EXPECT_EQ(MatchEntryName(entries, "bin", EntryKind::Folder), "Bin");
  EXPECT_FALSE(MatchEntryName(entries, "bin", EntryKind::File).has_value());
  EXPECT_FALSE(MatchEntryName(entries, "Zscdinst.ini", EntryKind::File).has_value());

  std::vector<std::string> names = {"ENGLISH.INI", "English.ini"};
  EXPECT_EQ(MatchEntryName(names, "English.ini"), "English.ini");
  EXPECT_EQ(MatchEntryName(names, "english.ini"), "ENGLISH.INI");
}

TEST(DiscFilesTest, ResolveOnDiscFindsEveryComponentWhateverItsCase) {
  TempDir disc;
  disc.WriteFile("BIN/zscdinst.INI", "[InstAll]\r\n");
  disc.WriteFile("Drivers/LAN/Win7/Setup.ini", "x");
  EXPECT_EQ(ResolveOnDisc(disc.Root(), "Bin/Zscdinst.ini", EntryKind::File),
            disc.Path("BIN/zscdinst.INI"));
  EXPECT_EQ(ResolveOnDisc(disc.Root(), "drivers/lan/WIN7/setup.ini", EntryKind::File),
            disc.Path("Drivers/LAN/Win7/Setup.ini"));
  EXPECT_EQ(ResolveOnDisc(disc.Root(), "Drivers/./LAN", EntryKind::Folder), disc.Path("Drivers/LAN"));
  EXPECT_FALSE(ResolveOnDisc(disc.Root(), "Bin/Zscdinst.ini", EntryKind::Folder).has_value());
  EXPECT_FALSE(ResolveOnDisc(disc.Root(), "Bin/Missing.ini", EntryKind::File).has_value());
  EXPECT_FALSE(ResolveOnDisc(disc.Root(), "Nothing/Setup.ini", EntryKind::File).has_value());
}

TEST(DiscFilesTest, ExistenceTestsTellFilesFromFolders) {
  TempDir disc;
  disc.WriteFile("a.ini", "");
  disc.MakeFolder("Folder.ini");
  EXPECT_TRUE(FileExists(disc.Path("a.ini")));
  EXPECT_FALSE(FileExists(disc.Path("Folder.ini")));
  EXPECT_TRUE(FolderExists(disc.Path("Folder.ini")));
  EXPECT_FALSE(FileExists(disc.Path("b.ini")));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(ReadFileBytes(disc.Path("Folder.ini")).has_value());
  EXPECT_EQ(ReadFileBytes(disc.Path("a.ini")), std::string());
}

TEST(DiscFilesTest, AtomicWriteReplacesTheFileAndLeavesNothingElse) {
  TempDir disc;
  std::string target = disc.Path("FileList.txt");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(target, std::string("one\r\n\0two", 10), &error)) << error;
  ASSERT_TRUE(WriteFileAtomically(target, "second\r\n", &error)) << error;
  EXPECT_EQ(ReadFileBytes(target), "second\r\n");
  auto entries = ListFolder(disc.Root());
  ASSERT_TRUE(entries.has_value());
  EXPECT_EQ(entries->size(), 1u) << "no temporary file may be left behind";
}

TEST(DiscFilesTest, FailedAtomicWriteKeepsTheEarlierFileAndReportsWhy) {
  TempDir disc;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(disc.Path("missing/FileList.txt"), "x", &error));
  EXPECT_FALSE(error.empty());

  disc.MakeFolder("FileList.txt");
  error.clear();
  EXPECT_FALSE(WriteFileAtomically(disc.Path("FileList.txt"), "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(FolderExists(disc.Path("FileList.txt")));

  if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root from writing";
  std::string target = disc.WriteFile("ro/FileList.txt", "earlier\r\n");
  ASSERT_EQ(chmod(disc.Path("ro").c_str(), 0555), 0);
  EXPECT_FALSE(WriteFileAtomically(target, "later\r\n", &error));
  chmod(disc.Path("ro").c_str(), 0755);
  EXPECT_EQ(ReadFileBytes(target), "earlier\r\n");
  EXPECT_EQ(ListFolder(disc.Path("ro"))->size(), 1u);
}

TEST(DiscFilesTest, DeleteFileQuietlyIgnoresMissingFiles) {
  TempDir disc;
  std::string path = disc.WriteFile("TECHSUPP.ini", "x");
  DeleteFileQuietly(path);
  EXPECT_FALSE(FileExists(path));
  DeleteFileQuietly(path);
  DeleteFileQuietly("");
}

}  // namespace
}  // namespace cartulon

namespace cartulon {
namespace {

TEST(AtomicWriteTargets, KeepModeNeverReplacesAndOnlyRegularFilesAreReplaced) {
  TempDir dir;
  const std::string list = dir.WriteFile("FileList.txt", "theirs");
  bool appeared = false;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(list, "ours", &error, WriteMode::KeepExisting, &appeared));
  EXPECT_TRUE(appeared);
  EXPECT_EQ(ReadFileBytes(list), "theirs");

  ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(WriteFileAtomically(dir.Path("pipe"), "ours", &error));
  EXPECT_TRUE(std::filesystem::is_fifo(dir.Path("pipe")));  // still the pipe
  EXPECT_FALSE(WriteFileAtomically(dir.MakeFolder("folder"), "ours", &error));

  // A replaced file keeps its permission bits without the special ones, and
  // a link is replaced as a link, taking nothing from its target.
  ASSERT_EQ(::chmod(list.c_str(), 04640), 0);
  ASSERT_TRUE(WriteFileAtomically(list, "ours", &error)) << error;
  struct stat after {};
  ASSERT_EQ(::stat(list.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  const std::string target = dir.WriteFile("target", "kept");
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  ASSERT_EQ(::symlink(target.c_str(), dir.Path("link").c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(dir.Path("link"), "new", &error)) << error;
  EXPECT_EQ(ReadFileBytes(target), "kept");
  EXPECT_EQ(ReadFileBytes(dir.Path("link")), "new");
}

}  // namespace
}  // namespace cartulon
