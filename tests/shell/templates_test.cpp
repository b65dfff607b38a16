#include "shell/templates.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/disc_files.h"
#include "platform/ini_profile.h"
#include "resources/embedded.h"
#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

TEST(CarriedResourceTest, FoundByTypeAndNameIgnoringCase) {
  const auto techSupp = FindCarriedResource("TXTFILE", "TECHSUPP");
  ASSERT_TRUE(techSupp.has_value());
  EXPECT_EQ(*techSupp, *resources::EmbeddedFile("TECHSUPP.ini"));

  const auto rules = FindCarriedResource("txtfile", "filelist_exp");
  ASSERT_TRUE(rules.has_value());
  EXPECT_EQ(*rules, *resources::EmbeddedFile("FileList_Exp.ini"));
  EXPECT_TRUE(FindCarriedResource("TxtFile", "TechSupp").has_value());
}

TEST(CarriedResourceTest, OtherTypesAndNamesAreNotCarried) {
  EXPECT_FALSE(FindCarriedResource("RCDATA", "TECHSUPP").has_value());
  EXPECT_FALSE(FindCarriedResource("TXTFILE", "TECHSUPP.ini").has_value());
  EXPECT_FALSE(FindCarriedResource("TXTFILE", "ui_texts").has_value());
  EXPECT_FALSE(FindCarriedResource("TXTFILE", "").has_value());
}

TEST(CarriedResourceTest, RulesTemplateHoldsTheShippedRules) {
  const IniFile rules = IniFile::FromBytes(*FindCarriedResource("TXTFILE", "FileList_Exp"));
  EXPECT_EQ(rules.KeyNames("ShowAllDir"), (std::vector<std::string>{".\\Drivers", ".\\Software"}));
  EXPECT_EQ(rules.KeyNames("HideSubDir"), (std::vector<std::string>{".\\Bin", ".\\Manual"}));
  EXPECT_EQ(rules.Get("Title", "FileTitle"),
            "File List for the included support software for <%1> Motherboard");
  EXPECT_EQ(rules.Get("Title", "LabelForName"), "File Name");
  EXPECT_EQ(rules.Get("Title", "LabelForDescription"), "Description");
  EXPECT_EQ(rules.KeyNames("Constant"),
            (std::vector<std::string>{".\\Software\\AOD", ".\\Ver.tag"}));
  EXPECT_EQ(rules.Get("Constant", ".\\Software\\AOD"), "- AMD OverDrive Utility (AOD) Readme file.");
  EXPECT_EQ(rules.Get("Constant", ".\\Ver.tag"), "- Zolt Technical Support Information.");
}

TEST(CarriedResourceTest, ContactTemplateStartsWithTheCompanyLine) {
  const std::vector<std::string> lines =
      CrlfLines(*FindCarriedResource("TXTFILE", "TECHSUPP"));
  ASSERT_EQ(lines.size(), 57u);
  EXPECT_EQ(lines[0], "ZOLTEK COMPUTER INC.");
  EXPECT_EQ(lines[1], "");
}

class ExtractTemplateTest : public ::testing::Test {
 protected:
  TempDir work_;
  RecordingMessageSink sink_;
};

TEST_F(ExtractTemplateTest, WritesBothTemplatesByteForByte) {
  ASSERT_TRUE(ExtractTemplate(work_.Root(), "TECHSUPP", "TXTFILE", sink_));
  ASSERT_TRUE(ExtractTemplate(work_.Root(), "FileList_Exp", "TXTFILE", sink_));
  EXPECT_EQ(ReadFileBytes(work_.Path("TECHSUPP.ini")), *resources::EmbeddedFile("TECHSUPP.ini"));
  EXPECT_EQ(ReadFileBytes(work_.Path("FileList_Exp.ini")),
            *resources::EmbeddedFile("FileList_Exp.ini"));
  EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(ExtractTemplateTest, RewritingReplacesAnEditedFile) {
  work_.WriteFile("FileList_Exp.ini",
                  "[ShowAllDir]\r\n.\\Everything=\r\n[Title]\r\nFileTitle=Edited, and longer "
                  "than the carried template ever was, so that a plain overwrite without "
                  "truncation would leave its tail behind............................................"
                  "...........................................................................\r\n");
  ASSERT_TRUE(ExtractTemplate(work_.Root(), "FileList_Exp", "TXTFILE", sink_));
  EXPECT_EQ(ReadFileBytes(work_.Path("FileList_Exp.ini")),
            *resources::EmbeddedFile("FileList_Exp.ini"));
}

TEST_F(ExtractTemplateTest, UnknownResourceWritesNothingAndSaysNothing) {
  EXPECT_FALSE(ExtractTemplate(work_.Root(), "README", "TXTFILE", sink_));
  EXPECT_FALSE(ExtractTemplate(work_.Root(), "TECHSUPP", "BITMAP", sink_));
  EXPECT_TRUE(sink_.messages.empty());
  EXPECT_TRUE(std::filesystem::is_empty(work_.Root()));
}

TEST_F(ExtractTemplateTest, UnwritableFolderIsReported) {
  const std::string missing = work_.Path("no such folder");
  EXPECT_FALSE(ExtractTemplate(missing, "TECHSUPP", "TXTFILE", sink_));
  ASSERT_EQ(sink_.messages.size(), 1u);
  EXPECT_EQ(sink_.messages[0].text, "An error occurred when liberating file TECHSUPP.ini");
  EXPECT_EQ(sink_.messages[0].caption, "Zolt Cartulon");
  EXPECT_EQ(sink_.messages[0].kind, MessageKind::Plain);
}

TEST_F(ExtractTemplateTest, ReadOnlyFolderIsReportedAndKeepsTheEarlierFile) {
  if (!test_support::FolderPermissionsBind()) {
    GTEST_SKIP() << "a read-only folder does not stop this process from writing";
  }
  work_.WriteFile("FileList_Exp.ini", "[Title]\r\nFileTitle=Earlier\r\n");
  std::filesystem::permissions(work_.Root(), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  const bool written = ExtractTemplate(work_.Root(), "FileList_Exp", "TXTFILE", sink_);
  std::filesystem::permissions(work_.Root(), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_FALSE(written);
  ASSERT_EQ(sink_.messages.size(), 1u);
  EXPECT_EQ(sink_.messages[0].text, "An error occurred when liberating file FileList_Exp.ini");
  EXPECT_EQ(ReadFileBytes(work_.Path("FileList_Exp.ini")), "[Title]\r\nFileTitle=Earlier\r\n");
}

}  // namespace
}  // namespace cartulon
