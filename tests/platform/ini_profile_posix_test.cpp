// The INI reader's footprint on a file of millions of short lines, in a
// child process, so that the peak resident size is the reading's alone.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/ini_profile.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

TEST(IniFileFootprint, MillionsOfOneLetterLinesCostLittleMoreThanTheirText) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's own bookkeeping outweighs the reader's";
#endif
  constexpr std::size_t kSize = std::size_t{16} << 20;
  std::string text = "[Default]\r\nTitle=Big\r\n";
  const std::size_t lines = (kSize - text.size()) / 2;
  text.reserve(kSize);
  for (std::size_t k = 0; k < lines; ++k) text += "a\n";
  text += "[Tail]\r\nKey=last\r\n";
  test_support::TempDir dir;
  const std::string path = dir.WriteFile("English.ini", text);
  text = std::string();

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const IniFile ini = IniFile::Load(path);
    // The last key lies behind every line of the first section.
    const bool read = ini.Get("Default", "Title") == "Big" && ini.Get("Tail", "Key") == "last" &&
                      ini.Get("Default", "a", "none") == "none";
    _exit(read ? 0 : 1);
  }
  int status = 0;
  struct rusage usage {};
  ASSERT_EQ(wait4(child, &status, 0, &usage), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  // Eight times the file and 50 MB (ru_maxrss counts KiB).
  EXPECT_LT(static_cast<double>(usage.ru_maxrss) * 1024, 8.0 * kSize + 50e6)
      << "peak " << usage.ru_maxrss << " KiB for a file of " << kSize << " bytes";
}

}  // namespace
}  // namespace cartulon
