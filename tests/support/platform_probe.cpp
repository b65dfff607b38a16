// A second process for the platform tests. One command per run, the answer
// on standard output:
//
//   cartulon_platform_probe lock NAME FOLDER   takes the instance lock NAME
//       and prints "acquired", "held elsewhere" or "unavailable"; it ends
//       without releasing the lock, as a crashing instance would.
//   cartulon_platform_probe language   the system default language
//       identifier (hexadecimal) and the UI text offset it selects.
//   cartulon_platform_probe where   the folder of the running program file
//       and the default disc root it gives (nothing remembered), one per
//       line.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/home_folder.h"
#include "platform/instance_lock.h"
#include "platform/program_path.h"
#include "platform/system_language.h"
#include "shell/folder_history.h"
#include "shell/ui_text.h"

using namespace cartulon;

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "lock" && argc == 4) {
    // Never released: the object is leaked and the process ends at once.
    auto* lock = new InstanceLock;
    const LockResult result = lock->Acquire(argv[2], argv[3]);
    std::printf("%s\n", result == LockResult::Acquired        ? "acquired"
                        : result == LockResult::HeldElsewhere ? "held elsewhere"
                                                              : "unavailable");
    std::fflush(stdout);
    std::_Exit(0);
  }
  if (command == "language") {
    const unsigned id = SystemDefaultLanguageId();
    std::printf("%04x %d\n", id, LanguageOffsetFor(id));
    return 0;
  }
  if (command == "where") {
    const std::string folder = RunningProgramFolder(argv[0]);
    std::printf("%s\n%s\n", folder.c_str(), DefaultDiscRoot(folder, {}, HomeFolder()).c_str());
    return 0;
  }
  std::fprintf(stderr, "usage: cartulon_platform_probe lock NAME FOLDER | language | where\n");
  return 2;
}
