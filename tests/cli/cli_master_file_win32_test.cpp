// A master file another program holds open without sharing it cannot be
// read: the list run and the check say so with the system's reason,
// instead of reading it as an empty file.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

TEST(CliMasterFileWin32, AMasterFileInUseIsNamedWithTheSystemsReason) {
  TempDir dir;
  WriteSmallDisc(dir);
  const std::string master = dir.Path("disc/Bin/Zscdinst.ini");
  HANDLE held = CreateFileA(master.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const CliResult list = RunCli({"--stdout", dir.Path("disc")});
  const CliResult check = RunCli({"--check", dir.Path("disc")});
  CloseHandle(held);

  EXPECT_EQ(list.exitCode, 1);
  EXPECT_NE(list.err.find("Zscdinst.ini cannot be read ("), std::string::npos) << list.err;
  EXPECT_TRUE(list.out.empty());
  EXPECT_EQ(check.exitCode, 1) << check.err;
  EXPECT_EQ(check.out.rfind("error master-file Bin: Zscdinst.ini cannot be read (", 0), 0u)
      << check.out;
}

}  // namespace
}  // namespace cartulon::cli_test
