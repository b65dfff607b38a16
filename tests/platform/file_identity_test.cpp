// Which folder a path leads to and where it really lies, on any platform:
// the identities the scan tells folders apart by, and the real locations
// that keep it on the disc.
#include "platform/file_identity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/input_files.h"
#include "platform/paths.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

TEST(FileIdentityTest, EveryPathToOneFolderGivesOneIdentityAndItsListingAgrees) {
  TempDir disc;
  disc.MakeFolder("Drivers/LAN");
  disc.MakeFolder("Software");
  disc.WriteFile("Ver.tag", "x");
  const auto drivers = FolderIdentity(disc.Path("Drivers"));
  ASSERT_TRUE(drivers.has_value());
  EXPECT_TRUE(drivers->Known());
  EXPECT_EQ(FolderIdentity(JoinPath(disc.Path("Drivers/LAN"), "..")), drivers);
  EXPECT_NE(FolderIdentity(disc.Path("Software")), drivers);
  EXPECT_FALSE(FolderIdentity(disc.Path("Ver.tag")).has_value());
  EXPECT_FALSE(FolderIdentity(disc.Path("Missing")).has_value());

  const auto listing = ListFolderIdentified(disc.Path("Drivers"));
  ASSERT_TRUE(listing.has_value());
  EXPECT_EQ(listing->folder, *drivers);
  ASSERT_EQ(listing->entries.size(), 1u);
  EXPECT_EQ(listing->entries[0].name, "LAN");
  EXPECT_TRUE(listing->entries[0].isFolder);
  EXPECT_FALSE(listing->entries[0].isLink);
  // A plain folder's identity, where the listing gives one, is that folder's.
  if (listing->entries[0].identity.Known()) {
    EXPECT_EQ(listing->entries[0].identity, FolderIdentity(disc.Path("Drivers/LAN")));
  }
  EXPECT_FALSE(ListFolderIdentified(disc.Path("Missing")).has_value());
}

TEST(FileIdentityTest, RealLocationsResolveDotsAndStayWithinTheirRoot) {
  TempDir disc;
  disc.MakeFolder("SupportCD/Drivers");
  disc.MakeFolder("Elsewhere");
  const auto root = RealLocation(disc.Path("SupportCD"));
  ASSERT_TRUE(root.has_value());
  const auto drivers = RealLocation(JoinPath(JoinPath(disc.Path("SupportCD/Drivers"), ".."), "Drivers"));
  ASSERT_TRUE(drivers.has_value());
  EXPECT_EQ(*drivers, JoinPath(*root, "Drivers"));
  EXPECT_TRUE(LocationWithin(*root, *drivers));
  EXPECT_TRUE(LocationWithin(*root, *root));
  const auto elsewhere = RealLocation(disc.Path("Elsewhere"));
  ASSERT_TRUE(elsewhere.has_value());
  EXPECT_FALSE(LocationWithin(*root, *elsewhere));
  // A sibling whose name begins with the root's is not below it.
  EXPECT_FALSE(LocationWithin(*root, *root + "2"));
  EXPECT_FALSE(RealLocation(disc.Path("Missing")).has_value());
  EXPECT_FALSE(IsLink(disc.Path("SupportCD")));
}

TEST(InputFilesTest, OnlyExistingRegularFilesAreReadable) {
  TempDir disc;
  const std::string ini = disc.WriteFile("Readme.ini", "[Information]\r\n");
  EXPECT_EQ(CheckInputFile(ini), InputFileState::Readable);
  EXPECT_EQ(ReadInputFile(ini), "[Information]\r\n");
  EXPECT_EQ(CheckInputFile(disc.MakeFolder("Folder.ini")), InputFileState::NotAFile);
  EXPECT_FALSE(ReadInputFile(disc.Path("Folder.ini")).has_value());
  EXPECT_EQ(CheckInputFile(disc.Path("Missing.ini")), InputFileState::Missing);
  EXPECT_EQ(CheckInputFile(""), InputFileState::Missing);
  EXPECT_EQ(InputFileProblem(InputFileState::TooLarge), "is larger than 64 MiB");
}

}  // namespace
}  // namespace cartulon
