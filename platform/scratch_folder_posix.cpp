#include "platform/scratch_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/interrupt_cleanup.h"

namespace cartulon {

namespace fs = std::filesystem;

bool ScratchFolder::Create(std::string* error) {
  // TMPDIR, or the system's temporary folder when TMPDIR is unset or empty
  // (an empty one is as good as none).
  const char* tmpdir = ::getenv("TMPDIR");
  const fs::path base = tmpdir != nullptr && *tmpdir != '\0' ? fs::path(tmpdir) : fs::path("/tmp");
  std::string pattern = (base / "cartulon-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  // mkdtemp creates the folder with owner-only access; an interrupt of the
  // run removes it with everything in it.
  bool created = false;
  WithCleanupLock([&] {
    created = ::mkdtemp(buffer.data()) != nullptr;
    if (created) RegisterForCleanup(buffer.data());
  });
  if (!created) {
    *error = "cannot create a working folder in " + base.string() + ": " +
             std::error_code(errno, std::generic_category()).message();
    return false;
  }
  path_ = buffer.data();
  return true;
}

}  // namespace cartulon
