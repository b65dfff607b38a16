// The one-line descriptions of list entries: tool, application and installer
// packages, with their certification suffix.
#include "describe/entry_text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "describe/classify.h"
#include "describe/os_tags.h"
#include "model/dir_structure.h"
#include "platform/message_sink.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

constexpr std::string_view kWin7Tags[] = {
    "WNT_6.1P_32", "WNT_6.1P_32_MCE", "WNT_6.1H_32", "WNT_6.1H_32_MCE",
    "WNT_6.1P_64", "WNT_6.1P_64_MCE", "WNT_6.1H_64", "WNT_6.1H_64_MCE",
};

// A disc whose master file (in Bin) installs Windows 7 in both widths only.
class EntryTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disc_.WriteFile("Bin/Zscdinst.ini",
                    Crlf({"[OS_Language_Tag]", "WNT_6.1P_32=Win7_32", "WNT_6.1P_64=Win7_64",
                          "WNT_5.2P=XP64", "[InstAll]", "Win7_32=1", "Win7_64=1", "XP64=0"}));
    masters_.programFolder = disc_.MakeFolder("Program");
    masters_.cdMasterPath = BuildCDMasterPath(disc_.Root());
  }

  // An installer record that lists both Windows 7 widths.
  static DescrStruct Win7Installer(std::string title, std::string version,
                                   std::string whqlStatus) {
    DescrStruct record;
    record.Title = std::move(title);
    record.Version = std::move(version);
    record.WHQLStatus = std::move(whqlStatus);
    for (std::string_view tag : kWin7Tags) {
      for (int i = 0; i < kOSTagCount; ++i) {
        if (OSTagTable[i] == tag) record.OSTagFlags[i] = 1;
      }
    }
    return record;
  }

  std::string Compose(DescrStruct& record) const {
    ComposeEntryText(record, masters_);
    return record.EntryText;
  }
  std::string Compose(DescrStruct&& record) const { return Compose(record); }

  // Scans the disc, classifies it and composes the first record of `rel`.
  std::string ComposeFolder(std::string_view rel) {
    RecordingMessageSink messages;
    DirStructure tree(disc_.Root(), 6, messages);
    AttachDescriptions(tree.RootDir, 6);
    ClassifyPackages(tree, tree.RootDir, 6, messages);
    DirNode* node = tree.FindNode(disc_.Path(rel));
    if (node == nullptr || !node->Data) {
      ADD_FAILURE() << "no record for " << rel;
      return {};
    }
    ComposeEntryText(*node->Data, masters_);
    return node->Data->EntryText;
  }

  TempDir disc_;
  MasterFileLocations masters_;
};

TEST_F(EntryTextTest, ToolFamilyCoversEveryCombinationOfItsFields) {
  struct Case {
    const char* name;
    const char* version;
    const char* description;
    const char* expected;
  };
  const Case cases[] = {
      {"Foo", "1.2", "", "- Foo V1.2."},
      {"Foo", "1.2", "Bar", "- Foo V1.2 Bar."},
      {"Foo", "", "Bar", "- Foo Bar."},
      {"Foo", "", "", "- Foo."},
      {"", "1.2", "", "- V1.2."},
      {"", "1.2", "Bar", "- V1.2 Bar."},
      {"", "", "Bar", "- Bar."},
  };
  for (const Case& c : cases) {
    DescrStruct record;
    record.ToolName = c.name;
    record.ToolVersion = c.version;
    record.ToolDescription = c.description;
    EXPECT_EQ(Compose(record), c.expected) << c.name << "|" << c.version << "|" << c.description;
  }
}

TEST_F(EntryTextTest, ToolFamilyFromReadmeFiles) {
  disc_.WriteFile("Tools/Foo/Readme.ini",
                  Crlf({"[Information]", "Tool_Name=Foo", "Tool_Version=1.2"}));
  disc_.WriteFile("Tools/FooBar/Readme.ini",
                  Crlf({"[Information]", "Tool_Name=Foo", "Tool_Version=1.2", "Description=Bar"}));
  disc_.WriteFile("Tools/Bar/Readme.ini", Crlf({"[Information]", "Description=Bar"}));
  EXPECT_EQ(ComposeFolder("Tools/Foo"), "- Foo V1.2.");
  EXPECT_EQ(ComposeFolder("Tools/FooBar"), "- Foo V1.2 Bar.");
  EXPECT_EQ(ComposeFolder("Tools/Bar"), "- Bar.");
}

TEST_F(EntryTextTest, SetupFamilyCarriesTheFixedSentence) {
  disc_.WriteFile("Apps/Foo/AppSetup.ini", Crlf({"[Setup]", "Name=Foo", "Version=3.0"}));
  EXPECT_EQ(ComposeFolder("Apps/Foo"),
            "- Foo V3.0 for Windows XP 32bit & XP 64bit & Vista 32bit & Vista 64bit & "
            "Win7 32bit & Win7 64bit.");
  // Missing name and version leave their neighbours in place.
  DescrStruct record;
  record.SetupOSText = " for Windows XP 32bit";
  EXPECT_EQ(Compose(record), "-  V for Windows XP 32bit.");
}

TEST_F(EntryTextTest, InstallerFamilyByTitleAndVersion) {
  EXPECT_EQ(Compose(Win7Installer("Foo", "6.0", "1")),
            "- Foo V6.0 for Windows Win7 32bit & Win7 64bit---(WHQL).");
  EXPECT_EQ(Compose(Win7Installer("", "6.0", "1")),
            "- ... V6.0 for Windows Win7 32bit & Win7 64bit---(WHQL).");
  EXPECT_EQ(Compose(Win7Installer("Foo", "", "")), "- Foo for Windows Win7 32bit & Win7 64bit.");
  EXPECT_EQ(Compose(Win7Installer("", "", "")), "- ... for Windows Win7 32bit & Win7 64bit.");
}

TEST_F(EntryTextTest, CertificationSuffixFollowsTheStatus) {
  EXPECT_EQ(Compose(Win7Installer("Foo", "6.0", "0")),
            "- Foo V6.0 for Windows Win7 32bit & Win7 64bit---(Beta).");
  EXPECT_EQ(Compose(Win7Installer("Foo", "6.0", "")),
            "- Foo V6.0 for Windows Win7 32bit & Win7 64bit.");
  // Any other status, such as two combined flags, adds nothing at all.
  EXPECT_EQ(Compose(Win7Installer("Foo", "6.0", "3")),
            "- Foo V6.0 for Windows Win7 32bit & Win7 64bit");
  EXPECT_EQ(Compose(Win7Installer("Foo", "6.0", "01")),
            "- Foo V6.0 for Windows Win7 32bit & Win7 64bit");
}

TEST_F(EntryTextTest, InstallerWithoutOSTextGetsNoText) {
  // Windows 7 32-bit only in part, XP 64-bit listed but not installed.
  DescrStruct partial = Win7Installer("Foo", "6.0", "1");
  partial.OSTagFlags.fill(0);
  partial.OSTagFlags[0] = 1;
  partial.OSTagFlags[12] = 1;
  EXPECT_EQ(Compose(partial), "");

  // A package without English.ini is never read, so it has no OS flags.
  disc_.WriteFile("Drivers/NoEnglish/ZoltSetup.ini",
                  Crlf({"[Root]", "InstallType=0", "[InstAllInfo]", "Version=6.0", "PassWHQL=1",
                        "[OS_Language_Tag]", "WNT_6.1P_32=1", "WNT_6.1P_32_MCE=1",
                        "WNT_6.1H_32=1", "WNT_6.1H_32_MCE=1"}));
  EXPECT_EQ(ComposeFolder("Drivers/NoEnglish"), "");
}

TEST_F(EntryTextTest, InstallerPackageFromItsFilesEndToEnd) {
  std::string setup = Crlf({"[Root]", "InstallType=0", "[InstAllInfo]", "Version=6.0",
                            "PassWHQL=1", "PassVistaWHQL=1", "[OS_Language_Tag]"});
  for (std::string_view tag : kWin7Tags) setup += std::string(tag) + "=English\r\n";
  disc_.WriteFile("Drivers/Foo/ZoltSetup.ini", setup);
  disc_.WriteFile("Drivers/Foo/English.ini", Crlf({"[Default]", "Title=Foo"}));
  EXPECT_EQ(ComposeFolder("Drivers/Foo"),
            "- Foo V6.0 for Windows Win7 32bit & Win7 64bit---(WHQL).");
}

TEST_F(EntryTextTest, UnreadableCertificationNumbersEndWithAPlainFullStop) {
  std::string setup = Crlf({"[Root]", "InstallType=0", "[InstAllInfo]", "Version=6.0",
                            "PassWHQL=yes", "PassVistaWHQL=1", "[OS_Language_Tag]"});
  for (std::string_view tag : kWin7Tags) setup += std::string(tag) + "=\r\n";
  disc_.WriteFile("Drivers/Odd/ZoltSetup.ini", setup);
  disc_.WriteFile("Drivers/Odd/English.ini", Crlf({"[Default]", "Title=Odd"}));
  EXPECT_EQ(ComposeFolder("Drivers/Odd"), "- Odd V6.0 for Windows Win7 32bit & Win7 64bit.");
}

TEST_F(EntryTextTest, FamiliesAreTriedInOrder) {
  DescrStruct record = Win7Installer("Installer", "1.0", "1");
  record.SetupOSText = " for Windows XP";
  record.SetupName = "Setup";
  record.SetupVersion = "2.0";
  EXPECT_EQ(Compose(record), "- Setup V2.0 for Windows XP---(WHQL).");
  record.ToolDescription = "Tool";
  EXPECT_EQ(Compose(record), "- Tool---(WHQL).");
  EXPECT_EQ(Compose(DescrStruct{}), "");
}

}  // namespace
}  // namespace cartulon
