#include "platform/disc_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/paths.h"
#include "support/temp_disc.h"
#include "support/test_system.h"

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

  if (!test_support::FolderPermissionsBind()) {
    GTEST_SKIP() << "a read-only folder does not stop this process from writing";
  }
  namespace fs = std::filesystem;
  std::string target = disc.WriteFile("ro/FileList.txt", "earlier\r\n");
  fs::permissions(disc.Path("ro"), fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_FALSE(WriteFileAtomically(target, "later\r\n", &error));
  fs::permissions(disc.Path("ro"), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(ReadFileBytes(target), "earlier\r\n");
  EXPECT_EQ(ListFolder(disc.Path("ro"))->size(), 1u);
}

// Replacing is the default; keeping an existing file refuses the write at
// the last step, so a file that is there by then survives untouched.
TEST(DiscFilesTest, AtomicWriteReplacesOrKeepsAnExistingFile) {
  TempDir disc;
  const std::string target = disc.WriteFile("FileList.txt", "earlier\r\n");
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(target, "later\r\n", &error, WriteMode::KeepExisting));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadFileBytes(target), "earlier\r\n");
  EXPECT_EQ(ListFolder(disc.Root())->size(), 1u) << "no temporary file may be left behind";

  ASSERT_TRUE(WriteFileAtomically(target, "later\r\n", &error, WriteMode::ReplaceExisting)) << error;
  EXPECT_EQ(ReadFileBytes(target), "later\r\n");

  const std::string fresh = disc.Path("DriverInformation.csv");
  ASSERT_TRUE(WriteFileAtomically(fresh, "a,b\r\n", &error, WriteMode::KeepExisting)) << error;
  EXPECT_EQ(ReadFileBytes(fresh), "a,b\r\n");
  EXPECT_EQ(ListFolder(disc.Root())->size(), 2u);
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
