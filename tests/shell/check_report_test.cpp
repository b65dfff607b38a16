// The check's two report forms and its exit status.
#include "shell/check_report.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace cartulon {
namespace {

std::vector<Finding> Sample() {
  Finding noDescription;
  noDescription.severity = Severity::Error;
  noDescription.code = "no-description";
  noDescription.path = "Drivers\\LAN";
  noDescription.message = "ZoltSetup.ini gives the folder's line no description: \"quoted\"";
  Finding unmatched;
  unmatched.severity = Severity::Warning;
  unmatched.code = "unmatched-rule";
  unmatched.path = ".\\drivers";
  unmatched.message = "the ShowAllDir key finds nothing";
  Finding injected;
  injected.severity = Severity::Error;
  injected.code = "bad-name";
  injected.path = "Drivers\r\nerror fake";
  injected.message = "line one\nline two\t\x7F";
  return {unmatched, noDescription, injected};
}

TEST(CheckReportTest, TextHasOneLinePerFindingThenTheCounts) {
  const std::string text = TextReport(Sample());
  EXPECT_EQ(text,
            "warning unmatched-rule .\\drivers: the ShowAllDir key finds nothing\n"
            "error no-description Drivers\\LAN: ZoltSetup.ini gives the folder's line no "
            "description: \"quoted\"\n"
            "error bad-name Drivers\\x0D\\x0Aerror fake: line one\\x0Aline two\\x09\\x7F\n"
            "2 errors, 1 warnings\n");
  EXPECT_EQ(TextReport({}), "0 errors, 0 warnings\n");
}

TEST(CheckReportTest, JsonParsesBackWithEveryFieldAndTheCounts) {
  const std::vector<Finding> findings = Sample();
  const std::string text = JsonReport("/discs/Q1 \"CD\"", findings);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  const nlohmann::json report = nlohmann::json::parse(text);
  ASSERT_TRUE(report.is_object());
  EXPECT_EQ(report.size(), 4u);
  EXPECT_EQ(report.at("root"), "/discs/Q1 \"CD\"");
  EXPECT_EQ(report.at("errors"), 2);
  EXPECT_EQ(report.at("warnings"), 1);
  const nlohmann::json& list = report.at("findings");
  ASSERT_TRUE(list.is_array());
  ASSERT_EQ(list.size(), findings.size());
  for (std::size_t i = 0; i < findings.size(); ++i) {
    EXPECT_EQ(list[i].size(), 5u);
    EXPECT_EQ(list[i].at("severity"), SeverityName(findings[i].severity));
    EXPECT_EQ(list[i].at("code"), findings[i].code);
    EXPECT_EQ(list[i].at("path"), findings[i].path);
    EXPECT_EQ(list[i].at("message"), findings[i].message);
  }
  // The keys come in the documented order.
  EXPECT_LT(text.find("\"root\""), text.find("\"findings\""));
  EXPECT_LT(text.find("\"findings\""), text.find("\"errors\""));
  EXPECT_LT(text.find("\"errors\""), text.find("\"warnings\""));
}

TEST(CheckReportTest, JsonOfACleanDiscAndOfBytesThatAreNotUtf8) {
  const nlohmann::json clean = nlohmann::json::parse(JsonReport("disc", {}));
  EXPECT_TRUE(clean.at("findings").is_array());
  EXPECT_TRUE(clean.at("findings").empty());
  EXPECT_EQ(clean.at("errors"), 0);

  Finding ansi;
  ansi.code = "no-title";
  ansi.severity = Severity::Warning;
  ansi.path = "Drivers\\\xB0\xAA\xCF\xD4";  // a name in an ANSI code page
  ansi.message = "x";
  const nlohmann::json report = nlohmann::json::parse(JsonReport("d\xFF", {ansi}));
  EXPECT_EQ(report.at("root"), "d\xEF\xBF\xBD");
  EXPECT_EQ(report.at("findings")[0].at("path").get<std::string>().rfind("Drivers\\", 0), 0u);
}

// The list's text comes in its code page; the JSON carries it as UTF-8 and
// the path's own bytes beside it.
TEST(CheckReportTest, JsonDecodesTheCodePageAndKeepsThePathBytes) {
  Finding finding;
  finding.code = "no-title";
  finding.path = "Manual\\\xBB\xA1\xA9\xFA\xAE\xD1";  // Big5
  finding.message = "Zoltek \xBB\xA1\xA9\xFA\xAE\xD1 \xA3\xE1";
  const nlohmann::json report = nlohmann::json::parse(JsonReport("disc", {finding}, 950));
  const nlohmann::json& item = report.at("findings").at(0);
  EXPECT_EQ(item.at("path"), "Manual\\\xE8\xAA\xAA\xE6\x98\x8E\xE6\x9B\xB8");
  EXPECT_EQ(item.at("message"), "Zoltek \xE8\xAA\xAA\xE6\x98\x8E\xE6\x9B\xB8 \xE2\x82\xAC");
  EXPECT_EQ(item.at("path_bytes"), "4d616e75616c5cbba1a9faaed1");
}

TEST(CheckReportTest, ExitStatusIsOneOnlyWithAnError) {
  std::vector<Finding> findings = Sample();
  EXPECT_EQ(CheckExitStatus(findings), 1);
  findings.resize(1);  // the warning alone
  EXPECT_EQ(CheckExitStatus(findings), 0);
  EXPECT_EQ(CheckExitStatus({}), 0);
}

}  // namespace
}  // namespace cartulon
