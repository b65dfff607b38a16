#include "platform/inf_version.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/temp_disc.h"

namespace cartulon {
namespace {

std::string Utf16Le(std::string_view ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out.push_back(c);
    out.push_back('\0');
  }
  return out;
}

struct DriverVerCase {
  const char* name;
  std::string text;
  std::string date;
  std::string version;
};

class InfDriverVer : public ::testing::TestWithParam<DriverVerCase> {};

TEST_P(InfDriverVer, ReadsDateAndVersion) {
  const DriverVerCase& c = GetParam();
  const InfVersion inf = ParseInfVersion(c.text);
  EXPECT_TRUE(inf.hasVersionSection);
  ASSERT_TRUE(inf.hasDriverVer);
  EXPECT_EQ(inf.driverDate, c.date);
  EXPECT_EQ(inf.driverVersion, c.version);
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, InfDriverVer,
    ::testing::Values(
        DriverVerCase{"Plain", "[Version]\r\nDriverVer=05/14/2024,2.1.5.0\r\n", "05/14/2024",
                      "2.1.5.0"},
        DriverVerCase{"BlanksAndComment",
                      "; header\n [ version ] \n  driverver = 05/14/2024 , 2.1.5 ; built\n",
                      "05/14/2024", "2.1.5"},
        DriverVerCase{"Quoted", "[Version]\nDriverVer=\"05/14/2024\",\"3.0;1\"\n", "05/14/2024",
                      "3.0;1"},
        DriverVerCase{"Tokens",
                      "[Version]\nDriverVer=%Date%,%VER%\n[Strings]\ndate=01/02/2023\n"
                      "Ver = \"7.8.9.10\" ; quoted\n",
                      "01/02/2023", "7.8.9.10"},
        DriverVerCase{"UnknownTokenAndPercent", "[Version]\nDriverVer=%d%,1.0%%\n", "%d%",
                      "1.0%"},
        DriverVerCase{"Continuation", "[Version]\nDriverVer=05/14/2024,\\\n  4.5.6\n",
                      "05/14/2024", "4.5.6"},
        DriverVerCase{"SplitSectionFirstKeyWins",
                      "[Version]\nSignature=\"$Windows NT$\"\n[Other]\nDriverVer=1/1/2000,9\n"
                      "[VERSION]\nDriverVer=02/02/2022,1.2\nDriverVer=03/03/2023,3.4\n",
                      "02/02/2022", "1.2"},
        DriverVerCase{"Utf16WithBom", Utf16Le("[Version]\r\nDriverVer=06/07/2021,10.0.1\r\n"),
                      "06/07/2021", "10.0.1"},
        DriverVerCase{"Utf8Bom", "\xEF\xBB\xBF[Version]\nDriverVer=06/07/2021,1\n", "06/07/2021",
                      "1"},
        DriverVerCase{"NoComma", "[Version]\nDriverVer=06/07/2021\n", "06/07/2021", ""}),
    [](const ::testing::TestParamInfo<DriverVerCase>& info) { return info.param.name; });

TEST(InfVersion, MissingPartsAreReported) {
  const InfVersion none = ParseInfVersion("[Manufacturer]\nDriverVer=1/1/2000,1\n");
  EXPECT_FALSE(none.hasVersionSection);
  EXPECT_FALSE(none.hasDriverVer);
  const InfVersion noKey = ParseInfVersion("[Version]\n;DriverVer=1/1/2000,1\nClass=Net\n");
  EXPECT_TRUE(noKey.hasVersionSection);
  EXPECT_FALSE(noKey.hasDriverVer);
  // A header in a comment or a quoted '[' opens nothing.
  EXPECT_FALSE(ParseInfVersion("; [Version]\nDriverVer=1/1/2000,1\n").hasVersionSection);
}

TEST(InfVersion, CatalogKeysPlainAndDecorated) {
  const InfVersion inf = ParseInfVersion(
      "[Version]\nCatalogFile = base.cat\ncatalogfile.NTamd64=%cat64%\nCatalogFile.nt=\n"
      "CatalogFiles=not.cat\nCATALOGFILE=second.cat\n[Strings]\ncat64=\"x 64.cat\"\n");
  const std::vector<std::pair<std::string, std::string>> expected{
      {"CatalogFile", "base.cat"}, {"catalogfile.NTamd64", "x 64.cat"}};
  EXPECT_EQ(inf.catalogFiles, expected);
}

TEST(InfVersion, ReadsFilesAndSaysWhyNot) {
  const TempDir disc;
  disc.WriteFile("Drivers/a.inf", "[Version]\r\nDriverVer=05/14/2024,2.1\r\n");
  InfVersion inf;
  std::string reason;
  ASSERT_TRUE(ReadInfVersion(disc.Path("Drivers/a.inf"), inf, &reason));
  EXPECT_EQ(inf.driverVersion, "2.1");
  EXPECT_FALSE(ReadInfVersion(disc.Path("Drivers/missing.inf"), inf, &reason));
  EXPECT_EQ(reason, "it does not exist");
  EXPECT_FALSE(ReadInfVersion(disc.Path("Drivers"), inf, &reason));
  EXPECT_EQ(reason, "it is not a regular file");
}

}  // namespace
}  // namespace cartulon
