// What an interruption from the console leaves behind on Windows: the
// handler of Ctrl-C, Ctrl-Break and the rest removes what the run listed
// (its scratch folder, the temporary file of an unfinished write) and ends
// the process with 128 + the POSIX signal number. The console event itself
// cannot be raised without a console; the clean-up it calls runs here in a
// child process (tests/support/interrupt_probe_win32.cpp).
#include <gtest/gtest.h>

#include <string>

#include "platform/disc_files.h"
#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

TEST(InterruptCleanupWindows, AnInterruptedRunLeavesNothingAndEndsWith128PlusTheSignal) {
  TempDir temporary;
  TempDir disc;
  disc.WriteFile("FileList.txt", "earlier\r\n");
  test_support::ProcessSettings settings;
  settings.env = {{"TMP", temporary.Root()}, {"TEMP", temporary.Root()}};
  const test_support::ProcessResult r =
      test_support::RunProcess(CARTULON_INTERRUPT_PROBE, {disc.Root(), "2"}, settings);
  EXPECT_EQ(r.exitCode, 130) << r.err;

  const auto temporaryLeft = ListFolder(temporary.Root());
  ASSERT_TRUE(temporaryLeft.has_value());
  EXPECT_TRUE(temporaryLeft->empty()) << "scratch folder left behind";
  const auto discLeft = ListFolder(disc.Root());
  ASSERT_TRUE(discLeft.has_value());
  ASSERT_EQ(discLeft->size(), 1u) << "temporary file left behind";
  EXPECT_EQ((*discLeft)[0].name, "FileList.txt");
  EXPECT_EQ(ReadFileBytes(disc.Path("FileList.txt")), "earlier\r\n");
}

}  // namespace
}  // namespace cartulon
