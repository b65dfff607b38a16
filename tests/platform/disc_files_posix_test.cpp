// Disc files on POSIX: links, the emulated letter-case rule giving the
// names as they are on disc, and what an atomic write may replace.
#include "platform/disc_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_disc.h"

namespace cartulon {
namespace {

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
