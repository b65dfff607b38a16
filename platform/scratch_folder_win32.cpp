#include "platform/scratch_folder.h"

#include <windows.h>

#include "platform/error_text_win32.h"
#include "platform/interrupt_cleanup.h"
#include "platform/unique_name_win32.h"

namespace cartulon {

bool ScratchFolder::Create(std::string* error) {
  char base[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof base, base);
  if (length == 0 || length > sizeof base) {
    *error = "no temporary folder: " + win32::ErrorText(GetLastError());
    return false;
  }
  // The temporary folder lies in the user's profile, whose access rules the
  // new folder inherits: this user only, as mkdtemp gives on POSIX.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate = std::string(base) + "cartulon-" + win32::UniqueSuffix();
    // Created and registered in one step: an interrupt of the run removes
    // it with everything in it.
    bool created = false;
    DWORD createError = 0;
    WithCleanupLock([&] {
      created = CreateDirectoryA(candidate.c_str(), nullptr) != 0;
      createError = GetLastError();
      if (created) RegisterForCleanup(candidate);
    });
    if (created) {
      path_ = candidate;
      return true;
    }
    if (createError != ERROR_ALREADY_EXISTS) {
      *error = "cannot create a working folder in " + std::string(base) + ": " +
               win32::ErrorText(createError);
      return false;
    }
  }
  *error = "cannot create a working folder in " + std::string(base) + ": " +
           win32::ErrorText(ERROR_ALREADY_EXISTS);
  return false;
}

}  // namespace cartulon
