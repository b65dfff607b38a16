// The program's own folder, as a started program finds it: from the system,
// whatever it was started as. A copy in the Bin folder of a disc proposes
// the disc's root (the folder holds the disc's master file).
#include "platform/program_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/paths.h"
#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

TEST(ProgramPath, AProgramInsideABinFolderProposesTheDiscRoot) {
  TempDir dir;
  dir.MakeFolder("SupportCD/Bin");
  dir.WriteFile("SupportCD/Bin/Zscdinst.ini", "[ConditionTable]\r\nNumber=0\r\n");
  const std::string copy =
      JoinPath(dir.Path("SupportCD/Bin"), std::filesystem::path(CARTULON_PROBE).filename().string());
  std::filesystem::copy_file(CARTULON_PROBE, copy);

  test_support::ProcessSettings elsewhere;
  elsewhere.cwd = dir.MakeFolder("elsewhere");
  const test_support::ProcessResult r = test_support::RunProcess(copy, {"where"}, elsewhere);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> lines = test_support::SplitOutputLines(r.out);
  ASSERT_EQ(lines.size(), 2u) << r.out;
  EXPECT_EQ(lines[0], dir.Path("SupportCD/Bin"));
  EXPECT_EQ(lines[1], dir.Path("SupportCD") + kPathDelimiter);
}

}  // namespace
}  // namespace cartulon
