// The disc check against the driver files of each record: which INF files
// belong to a record, and the findings when their [Version] section
// contradicts the list or cannot be read.
#include "shell/driver_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "output/layout_rules.h"
#include "platform/input_files.h"
#include "platform/message_sink.h"
#include "shell/analysis.h"
#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWin7Tags =
    "[OS_Language_Tag]\r\nWNT_6.1P_32=1\r\nWNT_6.1P_32_MCE=1\r\nWNT_6.1H_32=1\r\n"
    "WNT_6.1H_32_MCE=1\r\n";

std::string Installer(const std::string& version, const std::string& whql = "1") {
  return "[Root]\r\nInstallType=0\r\n[InstAllInfo]\r\nVersion=" + version + "\r\nPassWHQL=" + whql +
         "\r\n" + kWin7Tags;
}

std::string CatalogBytes(const std::string& name) {
  return ReadInputFile(std::string(CARTULON_TEST_DATA) + "/catalogs/" + name).value_or("");
}

std::string Inf(const std::string& version) {
  return "[Version]\r\nSignature=\"$Windows NT$\"\r\nDriverVer=05/14/2024," + version +
         "\r\nCatalogFile=drv.cat\r\n";
}

class DriverFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = outer_.MakeFolder("disc");
    outer_.WriteFile("disc/Bin/Zscdinst.ini",
                     "[OS_Language_Tag]\r\nWNT_6.1P_32=Win7_32\r\n[InstAll]\r\nWin7_32=1\r\n");
    rules_ = work_.WriteFile(kRulesFileName, "[ShowAllDir]\r\n.\\Drivers=\r\n");
    inputs_.rulesFilePath = rules_;
    inputs_.masters.programFolder = work_.Path("program");
    inputs_.masters.cdMasterPath = outer_.Path("disc/Bin/Zscdinst.ini");
  }

  void Package(const std::string& rel, const std::string& setup) {
    Write(rel + "/ZoltSetup.ini", setup);
    Write(rel + "/English.ini", "[Default]\r\nTitle=Driver\r\n");
  }
  std::string Write(const std::string& rel, const std::string& bytes) {
    return outer_.WriteFile("disc/" + rel, bytes);
  }

  // The findings of the INF codes (or of whql-unproven), as "code path".
  std::vector<std::string> Check(int depth = 6, bool whql = false) {
    tree_ = RunAnalysis(root_, depth, rules_, messages_);
    findings_.clear();
    for (Finding& finding : CheckDisc(*tree_, inputs_)) {
      const bool inf =
          finding.code == check_code::kInfVersion || finding.code == check_code::kBadInf;
      if (whql ? finding.code == check_code::kWhqlUnproven : inf) {
        findings_.push_back(std::move(finding));
      }
    }
    std::vector<std::string> lines;
    for (const Finding& f : findings_) {
      EXPECT_EQ(f.severity, Severity::Warning);
      lines.push_back(f.code + " " + f.path);
    }
    return lines;
  }
  bool Says(std::size_t i, const std::string& words) const {
    return i < findings_.size() && findings_[i].message.find(words) != std::string::npos;
  }

  TempDir outer_;
  TempDir work_;
  std::string root_;
  std::string rules_;
  CheckInputs inputs_;
  RecordingMessageSink messages_;
  std::unique_ptr<DirStructure> tree_;
  std::vector<Finding> findings_;
};

TEST_F(DriverFilesTest, AgreeingInfFilesGiveNoFinding) {
  Package("Drivers/LAN", Installer("2.1.5"));
  Write("Drivers/LAN/x86/lan.INF", Inf("2.1.5.0"));
  // The list's version needs to match only one of the record's INF files.
  Write("Drivers/LAN/x64/lan64.inf", Inf("2.1.4"));
  // UTF-16 with its byte-order mark, the version from [Strings].
  Package("Drivers/Audio", Installer("6.0.1"));
  std::string wide = "\xFF\xFE";
  for (char c : std::string("[Version]\r\nDriverVer=1/2/2024,%V%\r\n[Strings]\r\nV=06.0.01\r\n")) {
    wide += c;
    wide += '\0';
  }
  Write("Drivers/Audio/audio.inf", wide);
  // A package without INF files.
  Package("Drivers/Chipset", Installer("9.9"));
  EXPECT_EQ(Check(), std::vector<std::string>{});
}

TEST_F(DriverFilesTest, InfVersionNamesTheInfAndBothVersionsOncePerRecord) {
  Package("Drivers/LAN", Installer("2.1.5"));
  Write("Drivers/LAN/Win7/lan.inf", Inf("2.2.0.0"));
  Write("Drivers/LAN/Win7/sub/usb.inf", Inf("2.1.6"));
  EXPECT_EQ(Check(), std::vector<std::string>{"inf-version Drivers\\LAN"});
  EXPECT_TRUE(Says(0, "version 2.1.5 (from ZoltSetup.ini)")) << findings_[0].message;
  EXPECT_TRUE(Says(0, "Win7\\lan.inf gives version 2.2.0.0 and Win7\\sub\\usb.inf gives version 2.1.6"))
      << findings_[0].message;
}

TEST_F(DriverFilesTest, EachSubInstallHasTheInfFilesOfItsOwnFolder) {
  Write("Drivers/Multi/ZoltSetup.ini",
        "[Root]\r\nInstallType=4\r\n[MultiInstall]\r\nPrimaryInstall=1\r\n"
        "Path1a=A,x86\\Setup.ini\r\nPath1b=B,x64\\Setup.ini\r\n");
  Write("Drivers/Multi/English.ini", "[Default]\r\nTitle=Multi\r\n");
  Write("Drivers/Multi/x86/Setup.ini", Installer("1.0"));
  Write("Drivers/Multi/x86/drv.inf", Inf("1.0"));
  Write("Drivers/Multi/x64/Setup.ini", Installer("1.1"));
  Write("Drivers/Multi/x64/drv.inf", Inf("1.0"));
  // Beside the sources, not below them: no record's.
  Write("Drivers/Multi/other.inf", "not an inf at all");
  EXPECT_EQ(Check(), std::vector<std::string>{"inf-version Drivers\\Multi"});
  EXPECT_TRUE(Says(0, "version 1.1 (from x64\\Setup.ini)")) << findings_[0].message;
  EXPECT_TRUE(Says(0, "x64\\drv.inf gives version 1.0")) << findings_[0].message;
}

TEST_F(DriverFilesTest, BadInfForEachFileThatGivesNoDriverVerAndOnlyOnce) {
  Write("Drivers/Multi/ZoltSetup.ini",
        "[Root]\r\nInstallType=4\r\n[MultiInstall]\r\nPrimaryInstall=1\r\n"
        "Path1a=A,Setup.ini\r\nPath1b=B,Setup2.ini\r\n");
  Write("Drivers/Multi/English.ini", "[Default]\r\nTitle=Multi\r\n");
  Write("Drivers/Multi/Setup.ini", Installer("1.0"));
  Write("Drivers/Multi/Setup2.ini", Installer("1.0"));
  Write("Drivers/Multi/a/noversion.inf", "[Manufacturer]\r\nZolt=Models\r\n");
  Write("Drivers/Multi/b/nodriverver.inf", "[Version]\r\n; DriverVer=1/1/2020,1.0\r\n");
  Write("Drivers/Multi/c/good.inf", Inf("1.0"));
  EXPECT_EQ(Check(), (std::vector<std::string>{"bad-inf Drivers\\Multi", "bad-inf Drivers\\Multi"}));
  EXPECT_TRUE(Says(0, "a\\noversion.inf has no [Version] section")) << findings_[0].message;
  EXPECT_TRUE(Says(1, "b\\nodriverver.inf has no DriverVer")) << findings_[1].message;
}

TEST_F(DriverFilesTest, BadInfForAFileThatCannotBeReadAndNoVersionCompared) {
  if (!test_support::CanCreateSymbolicLinks()) GTEST_SKIP() << "no symbolic links here";
  Package("Drivers/LAN", Installer("2.0"));
  outer_.MakeFolder("disc/Drivers/LAN/drv");
  fs::create_symlink(outer_.Path("nowhere.inf"), outer_.Path("disc/Drivers/LAN/drv/lan.inf"));
  EXPECT_EQ(Check(), std::vector<std::string>{"bad-inf Drivers\\LAN"});
  EXPECT_TRUE(Says(0, "drv\\lan.inf cannot be read (")) << findings_[0].message;
}

TEST_F(DriverFilesTest, InfFilesBeyondTheSearchDepthAreNotTheRecords) {
  Package("Drivers/LAN", Installer("2.0"));
  Write("Drivers/LAN/a/b/c/lan.inf", Inf("3.0"));
  EXPECT_EQ(Check(6), std::vector<std::string>{"inf-version Drivers\\LAN"});
  // Drivers is depth 1, LAN 2, a 3, b 4, c 5: with depth 4 the scan does
  // not reach c.
  EXPECT_EQ(Check(4), std::vector<std::string>{});
}

TEST_F(DriverFilesTest, WhqlUnprovenOncePerInfFileWhoseCatalogsDoNotShowTheProgram) {
  // Certified and proven: the catalog beside the INF file, in another
  // letter case, and a decorated key.
  Package("Drivers/Good", Installer("1.0"));
  Write("Drivers/Good/drv/good.inf",
        "[Version]\r\nDriverVer=1/1/2024,1.0\r\nCatalogFile.NTamd64=GOOD.cat\r\n");
  Write("Drivers/Good/drv/good.CAT", CatalogBytes("hardware.cat"));
  // Claims that are not the list's: a Beta package is not looked at.
  Package("Drivers/Beta", Installer("1.0", "0"));
  Write("Drivers/Beta/beta.inf", "[Version]\r\nDriverVer=1/1/2024,1.0\r\n");
  // One package per fault.
  Package("Drivers/A_NoCatalog", Installer("1.0"));
  Write("Drivers/A_NoCatalog/a.inf", "[Version]\r\nDriverVer=1/1/2024,1.0\r\n");
  Package("Drivers/B_Missing", Installer("1.0"));
  Write("Drivers/B_Missing/b.inf", Inf("1.0"));
  Package("Drivers/C_Vendor", Installer("1.0"));
  Write("Drivers/C_Vendor/c.inf", Inf("1.0"));
  Write("Drivers/C_Vendor/drv.cat", CatalogBytes("vendor.cat"));
  Package("Drivers/D_NotSigned", Installer("1.0"));
  Write("Drivers/D_NotSigned/d.inf", Inf("1.0"));
  Write("Drivers/D_NotSigned/drv.cat", CatalogBytes("notsigned.cat"));
  Package("Drivers/E_NoCert", Installer("1.0"));
  Write("Drivers/E_NoCert/e.inf",
        "[Version]\r\nDriverVer=1/1/2024,1.0\r\nCatalogFile=drv.cat\r\nCatalogFile.nt=gone.cat\r\n");
  Write("Drivers/E_NoCert/drv.cat", CatalogBytes("nocert.cat"));
  EXPECT_EQ(Check(6, true),
            (std::vector<std::string>{"whql-unproven Drivers\\A_NoCatalog",
                                      "whql-unproven Drivers\\B_Missing",
                                      "whql-unproven Drivers\\C_Vendor",
                                      "whql-unproven Drivers\\D_NotSigned",
                                      "whql-unproven Drivers\\E_NoCert"}));
  EXPECT_TRUE(Says(0, "the INF file a.inf names no catalog")) << findings_[0].message;
  EXPECT_TRUE(Says(1, "names the catalog drv.cat (CatalogFile), which does not exist"))
      << findings_[1].message;
  EXPECT_TRUE(Says(2, "signed by \"Zolt Devices Test Signing\", not by Microsoft Windows "
                      "Hardware Compatibility Publisher"))
      << findings_[2].message;
  EXPECT_TRUE(Says(3, "which is not a signed message")) << findings_[3].message;
  EXPECT_TRUE(Says(4, "whose signer's certificate is not in it")) << findings_[4].message;
  EXPECT_TRUE(Says(4, "; it names the catalog gone.cat (CatalogFile.nt), which does not exist"))
      << findings_[4].message;
}

struct VersionPair {
  const char* a;
  const char* b;
  bool same;
};

TEST(SameVersionNumbers, ComparesPartByPartAsNumbers) {
  const VersionPair cases[] = {
      {"1.4.2", "1.4.2.0", true},   {"1.4.2.0", "1.4.2", true},  {"01.04", "1.4", true},
      {"1.4", "1.4.0.1", false},    {"2.10", "2.1", false},      {"10.0", "1.0", false},
      {" 3.2 ", "3.2", true},       {"1.0 Beta", "1.0", false},  {"1.0 beta", "1.0 BETA", true},
      {"1..2", "1.0.2", false},     {"99999999999999999999.1", "99999999999999999999.1.0", true},
      {"", "0", false},
  };
  for (const VersionPair& c : cases) {
    EXPECT_EQ(SameVersionNumbers(c.a, c.b), c.same) << c.a << " / " << c.b;
  }
}

}  // namespace
}  // namespace cartulon
