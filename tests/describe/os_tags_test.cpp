// Supported-OS text: the tag table, the master file's two sections and where
// the master file is looked for.
#include "describe/os_tags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/paths.h"
#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

int TagIndex(std::string_view tag) {
  const auto it = std::find(OSTagTable.begin(), OSTagTable.end(), tag);
  return it == OSTagTable.end() ? -1 : static_cast<int>(it - OSTagTable.begin());
}

DescrStruct WithTags(std::initializer_list<std::string_view> tags) {
  DescrStruct record;
  for (std::string_view tag : tags) {
    const int index = TagIndex(tag);
    EXPECT_GE(index, 0) << tag;
    if (index >= 0) record.OSTagFlags[index] = 1;
  }
  return record;
}

DescrStruct WithAllTags() {
  DescrStruct record;
  record.OSTagFlags.fill(1);
  return record;
}

// A master file that maps every group's key tag to its own install entry;
// `instAll` gives the InstAll lines (entry=value).
std::string MasterText(std::initializer_list<std::string_view> instAll) {
  std::string text = Crlf({
      "[OS_Language_Tag]",
      "WNT_5.1P=XP32",
      "WNT_5.2P=XP64",
      "WNT_6.0P_32=Vista32",
      "WNT_6.0P_64=Vista64",
      "WNT_6.1P_32=Win7_32",
      "WNT_6.1P_64=Win7_64",
      "WNT_6.2P_32=Win8_32",
      "WNT_6.2P_64=Win8_64",
      "WNT_6.3P_32=Win81_32",
      "WNT_6.3P_64=Win81_64",
      "[InstAll]",
  });
  for (std::string_view line : instAll) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string AllInstalledMaster() {
  return MasterText({"XP32=1", "XP64=1", "Vista32=1", "Vista64=1", "Win7_32=1", "Win7_64=1",
                     "Win8_32=1", "Win8_64=1", "Win81_32=1", "Win81_64=1"});
}

// A support disc with its program folder (Bin) and the master file there;
// the program itself runs from a separate folder unless told otherwise.
struct MasterDisc {
  TempDir dir;
  MasterFileLocations masters;

  MasterDisc() {
    dir.MakeFolder("prog");
    dir.MakeFolder("disc");
    masters.programFolder = dir.Path("prog");
    masters.cdMasterPath = BuildCDMasterPath(dir.Path("disc"));
  }
  void WriteDiscMaster(std::string_view text) { dir.WriteFile("disc/Bin/Zscdinst.ini", text); }
  void WriteLocalMaster(std::string_view text) { dir.WriteFile("prog/Zscdinst.ini", text); }
  std::string Text(DescrStruct& record) const { return SupportedOSText(record, masters); }
  std::string Text(DescrStruct&& record) const { return SupportedOSText(record, masters); }
};

TEST(OSTagTableTest, HoldsThirtySixDistinctTagsInTheFixedOrder) {
  ASSERT_EQ(OSTagTable.size(), 36u);
  const std::set<std::string_view> distinct(OSTagTable.begin(), OSTagTable.end());
  EXPECT_EQ(distinct.size(), 36u);
  EXPECT_EQ(OSTagTable[0], "WNT_5.2P");
  EXPECT_EQ(OSTagTable[1], "WNT_5.1P_MCE");
  EXPECT_EQ(OSTagTable[3], "WNT_5.1H");
  EXPECT_EQ(OSTagTable[12], "WNT_6.1P_32");
  EXPECT_EQ(OSTagTable[19], "WNT_6.1H_64_MCE");
  EXPECT_EQ(OSTagTable[28], "WNT_6.3P_32");
  EXPECT_EQ(OSTagTable[35], "WNT_6.3H_64_MCE");
  for (std::string_view tag : OSTagTable) EXPECT_EQ(tag.substr(0, 4), "WNT_") << tag;
}

TEST(BuildCDMasterPathTest, AddsOneDelimiterAndTheBinFile) {
  const std::string d(1, kPathDelimiter);
  EXPECT_EQ(BuildCDMasterPath("E" + d + "CD"), "E" + d + "CD" + d + "Bin" + d + "Zscdinst.ini");
  EXPECT_EQ(BuildCDMasterPath("E" + d + "CD" + d), "E" + d + "CD" + d + "Bin" + d + "Zscdinst.ini");
  EXPECT_EQ(BuildCDMasterPath(d), d + "Bin" + d + "Zscdinst.ini");
  // No root typed: a path relative to the working folder.
  EXPECT_EQ(BuildCDMasterPath(""), "Bin" + std::string(1, kPathDelimiter) + "Zscdinst.ini");
}

TEST(MasterFileLocationsTest, PrefersTheProgramFolderThenTheDisc) {
  MasterDisc disc;
  EXPECT_EQ(disc.masters.Resolve(), "");
  disc.WriteDiscMaster("[InstAll]\r\n");
  EXPECT_EQ(disc.masters.Resolve(), disc.dir.Path("disc/Bin/Zscdinst.ini"));
  disc.WriteLocalMaster("[InstAll]\r\n");
  EXPECT_EQ(disc.masters.Resolve(), disc.dir.Path("prog/Zscdinst.ini"));
  EXPECT_EQ(disc.masters.LocalMasterPath(), disc.dir.Path("prog/Zscdinst.ini"));
}

TEST(MasterFileLocationsTest, FindsMasterFilesWhateverTheirLetterCase) {
  MasterDisc disc;
  disc.dir.WriteFile("disc/BIN/zscdinst.INI", AllInstalledMaster());
  EXPECT_PRED2(test_support::SameEntryName, disc.masters.Resolve(),
               disc.dir.Path("disc/BIN/zscdinst.INI"));
  EXPECT_EQ(disc.Text(WithTags({"WNT_5.2P"})), "XP 64bit");

  disc.dir.WriteFile("prog/ZSCDINST.ini", MasterText({}));
  EXPECT_PRED2(test_support::SameEntryName, disc.masters.Resolve(),
               disc.dir.Path("prog/ZSCDINST.ini"));
  EXPECT_EQ(disc.Text(WithTags({"WNT_5.2P"})), "");
}

TEST(MasterFileLocationsTest, AFolderNamedLikeTheMasterFileDoesNotCount) {
  MasterDisc disc;
  disc.dir.MakeFolder("prog/Zscdinst.ini");
  disc.dir.MakeFolder("disc/Bin/Zscdinst.ini");
  EXPECT_EQ(disc.masters.Resolve(), "");
}

TEST(SupportedOSTextTest, RecordsWhereTheMasterFilesAreLookedFor) {
  MasterDisc disc;
  DescrStruct record = WithAllTags();
  record.InstAllFlags.fill(1);
  // Neither master file: no text, and no stale install flags.
  EXPECT_EQ(SupportedOSText(record, disc.masters), "");
  EXPECT_EQ(record.LocalMasterPath, disc.dir.Path("prog/Zscdinst.ini"));
  EXPECT_EQ(record.CDMasterPath, disc.masters.cdMasterPath);
  for (std::uint8_t flag : record.InstAllFlags) EXPECT_EQ(flag, 0);
}

TEST(SupportedOSTextTest, SetsInstallFlagsFromTheMasterFileAlone) {
  MasterDisc disc;
  disc.WriteDiscMaster(MasterText({"XP64=1", "Win7_32=1", "Win7_64=0"}));
  DescrStruct record;  // lists no tag
  EXPECT_EQ(SupportedOSText(record, disc.masters), "");
  const std::array<std::uint8_t, kOSGroupCount> expected = {0, 1, 0, 0, 1, 0, 0, 0, 0, 0};
  EXPECT_EQ(record.InstAllFlags, expected);
}

TEST(SupportedOSTextTest, AGroupNeedsEveryMemberTag) {
  MasterDisc disc;
  disc.WriteDiscMaster(AllInstalledMaster());
  // Windows 7 32-bit needs all four of its tags.
  EXPECT_EQ(disc.Text(WithTags({"WNT_6.1P_32"})), "");
  EXPECT_EQ(disc.Text(WithTags({"WNT_6.1P_32", "WNT_6.1P_32_MCE", "WNT_6.1H_32"})), "");
  EXPECT_EQ(disc.Text(WithTags({"WNT_6.1P_32", "WNT_6.1P_32_MCE", "WNT_6.1H_32",
                                "WNT_6.1H_32_MCE"})),
            "Win7 32bit");
  // XP 32-bit needs WNT_5.1P, WNT_5.1H and WNT_5.1P_MCE; XP 64-bit only WNT_5.2P.
  EXPECT_EQ(disc.Text(WithTags({"WNT_5.1P", "WNT_5.1H"})), "");
  EXPECT_EQ(disc.Text(WithTags({"WNT_5.1P", "WNT_5.1H", "WNT_5.1P_MCE"})), "XP 32bit");
  EXPECT_EQ(disc.Text(WithTags({"WNT_5.2P"})), "XP 64bit");
}

TEST(SupportedOSTextTest, JoinsQualifyingGroupsInTheirFixedOrder) {
  MasterDisc disc;
  disc.WriteDiscMaster(AllInstalledMaster());
  EXPECT_EQ(disc.Text(WithAllTags()),
            "XP 32bit & XP 64bit & Vista 32bit & Vista 64bit & Win7 32bit & Win7 64bit & "
            "Win8 32bit & Win8 64bit & Win8.1 32bit & Win8.1 64bit");
  EXPECT_EQ(disc.Text(WithTags({"WNT_5.1P", "WNT_5.1H", "WNT_5.1P_MCE", "WNT_6.1P_32",
                                "WNT_6.1P_32_MCE", "WNT_6.1H_32", "WNT_6.1H_32_MCE",
                                "WNT_6.1P_64", "WNT_6.1P_64_MCE", "WNT_6.1H_64",
                                "WNT_6.1H_64_MCE"})),
            "XP 32bit & Win7 32bit & Win7 64bit");
  EXPECT_EQ(disc.Text(WithTags({"WNT_6.3P_64", "WNT_6.3P_64_MCE", "WNT_6.3H_64",
                                "WNT_6.3H_64_MCE", "WNT_6.0P_64", "WNT_6.0P_64_MCE",
                                "WNT_6.0H_64", "WNT_6.0H_64_MCE"})),
            "Vista 64bit & Win8.1 64bit");
}

TEST(SupportedOSTextTest, ADiscThatDoesNotInstallAWidthDropsIt) {
  MasterDisc disc;
  disc.WriteDiscMaster(MasterText({"Win7_32=1", "Win7_64=0"}));
  EXPECT_EQ(disc.Text(WithAllTags()), "Win7 32bit");
}

TEST(SupportedOSTextTest, ReadsMasterValuesUpToTheirCommentAndTrimmed) {
  MasterDisc disc;
  disc.WriteDiscMaster(Crlf({
      "[OS_Language_Tag]",
      "WNT_6.1P_32=Win7_32 ; Windows 7 x86",
      "WNT_6.1P_64=  Win7_64;x64",
      "WNT_6.2P_32=;only a comment",
      "[InstAll]",
      "Win7_32=1",
      "Win7_64=1",
      "=1",
  }));
  DescrStruct record = WithAllTags();
  EXPECT_EQ(SupportedOSText(record, disc.masters), "Win7 32bit & Win7 64bit");
  // An entry name that is empty after the cut is not looked up.
  EXPECT_EQ(record.InstAllFlags[6], 0);
}

TEST(SupportedOSTextTest, OnlyAnInstallValueOfOneCounts) {
  MasterDisc disc;
  disc.WriteDiscMaster(MasterText({"XP64=  1  ", "Win7_32=01", "Win7_64=1.0", "Win8_32=yes",
                                   "Win8_64=\"1\""}));
  DescrStruct record = WithAllTags();
  // Surrounding blanks and quotes are not part of an INI value.
  EXPECT_EQ(SupportedOSText(record, disc.masters), "XP 64bit & Win8 64bit");
}

TEST(SupportedOSTextTest, MasterBesideTheProgramWinsOverTheDiscs) {
  MasterDisc disc;
  disc.WriteDiscMaster(AllInstalledMaster());
  disc.WriteLocalMaster(MasterText({"XP64=1"}));
  EXPECT_EQ(disc.Text(WithAllTags()), "XP 64bit");
}

TEST(SupportedOSTextTest, ReadsTheMasterFileAgainOnEveryCall) {
  MasterDisc disc;
  disc.WriteDiscMaster(MasterText({"XP64=1"}));
  DescrStruct record = WithAllTags();
  EXPECT_EQ(disc.Text(record), "XP 64bit");
  disc.WriteDiscMaster(MasterText({"Vista32=1"}));
  EXPECT_EQ(disc.Text(record), "Vista 32bit");
}

TEST(SupportedOSTextTest, ARunReadsTheMasterFileOnceForEveryRecord) {
  MasterDisc disc;
  disc.WriteDiscMaster(MasterText({"XP64=1"}));
  ASSERT_TRUE(disc.masters.Load());
  const MasterFileLocations copy = disc.masters;
  // Neither a changed nor a vanished file is read again by the run.
  disc.WriteDiscMaster(MasterText({"Vista32=1"}));
  EXPECT_EQ(disc.Text(WithAllTags()), "XP 64bit");
  std::filesystem::remove(disc.dir.Path("disc/Bin/Zscdinst.ini"));
  DescrStruct record = WithAllTags();
  EXPECT_EQ(SupportedOSText(record, copy), "XP 64bit");
  EXPECT_EQ(copy.Resolve(), disc.dir.Path("disc/Bin/Zscdinst.ini"));
  EXPECT_EQ(record.InstAllFlags[1], 1);

  // A master file found but not readable is read once as well, and says why.
  MasterDisc huge;
  huge.WriteDiscMaster(AllInstalledMaster());
  std::filesystem::resize_file(huge.dir.Path("disc/Bin/Zscdinst.ini"),
                               (std::uintmax_t{64} << 20) + 1);
  EXPECT_FALSE(huge.masters.Load());
  EXPECT_EQ(huge.masters.reading->problem, "is larger than 64 MiB");
  EXPECT_EQ(huge.Text(WithAllTags()), "");
}

TEST(SupportedOSTextTest, PackagesWithoutTagsGetNoText) {
  MasterDisc disc;
  disc.WriteDiscMaster(AllInstalledMaster());
  DescrStruct setupPackage;
  setupPackage.SetupName = "Foo";
  setupPackage.SetupVersion = "3.0";
  setupPackage.SetupOSText = " for Windows XP 32bit";
  DescrStruct toolPackage;
  toolPackage.ToolName = "Foo";
  EXPECT_EQ(disc.Text(setupPackage), "");
  EXPECT_EQ(disc.Text(toolPackage), "");
}

TEST(SupportedOSTextTest, UnreadableMasterFilesGiveNoText) {
  MasterDisc disc;
  static constexpr char kBinary[] = "\x7F" "ELF\x01\x00\x00[OS_Language_Tag\x00\xFF\xFE\r\nWNT";
  disc.WriteDiscMaster(std::string(kBinary, sizeof(kBinary) - 1));
  EXPECT_EQ(disc.Text(WithAllTags()), "");
  disc.WriteDiscMaster("");
  EXPECT_EQ(disc.Text(WithAllTags()), "");
  // Cut off in the middle of the InstAll section: what is there still counts.
  disc.WriteDiscMaster(MasterText({}) + "XP64=1\r\nWin7_3");
  EXPECT_EQ(disc.Text(WithAllTags()), "XP 64bit");
}

}  // namespace
}  // namespace cartulon
