#include "platform/scratch_folder.h"

#include "platform/interrupt_cleanup.h"

namespace cartulon {

// Creating the folder is the platform's (scratch_folder_posix.cpp,
// scratch_folder_win32.cpp); removing it is the interrupt clean-up's own
// removal, under its lock.
ScratchFolder::~ScratchFolder() { Remove(); }

void ScratchFolder::Remove() {
  if (path_.empty()) return;
  WithCleanupLock([this] {
    RemovePathTree(path_);
    UnregisterFromCleanup(path_);
  });
  path_.clear();
}

}  // namespace cartulon
