// A batch run interrupted from the console, for the Windows tests:
//
//   cartulon_interrupt_probe DISC SIGNAL
//
// makes what a run has when the interruption comes (its scratch folder with
// a template, a temporary file being written in DISC), then does what the
// console handler does. The handler's own trigger, a console control event,
// needs a console, which a test run under Wine does not have.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/disc_files.h"
#include "platform/interrupt_cleanup.h"
#include "platform/paths.h"
#include "platform/scratch_folder.h"

using namespace cartulon;

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string disc = argv[1];
  ScratchFolder work;
  std::string error;
  if (!work.Create(&error)) return 3;
  if (!WriteFileAtomically(JoinPath(work.Path(), "TECHSUPP.ini"), "x\r\n", &error)) return 4;
  const std::string temp = JoinPath(disc, ".cartulon-pending");
  HANDLE file = INVALID_HANDLE_VALUE;
  WithCleanupLock([&] {
    file = CreateFileA(temp.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) RegisterForCleanup(temp);
  });
  if (file == INVALID_HANDLE_VALUE) return 5;
  // The file is left open, as by a write that is going on.
  EndInterruptedRun(std::atoi(argv[2]));
}
