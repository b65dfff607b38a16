// Disc files on POSIX: links, and the emulated letter-case rule giving the
// names as they are on disc.
#include "platform/disc_files.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace cartulon
