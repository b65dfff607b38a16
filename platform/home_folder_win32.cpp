#include "platform/home_folder.h"

#include <cstdlib>
#include <string>

#include "platform/paths.h"

namespace cartulon {

// The user's profile folder as the system sets it for every program
// (USERPROFILE), else the home drive and path of older set-ups. Read
// through the ANSI environment, so the name stays in the system code page.
std::string HomeFolder() {
  std::string folder;
  if (const char* profile = std::getenv("USERPROFILE")) folder = profile;
  if (folder.empty()) {
    const char* drive = std::getenv("HOMEDRIVE");
    const char* path = std::getenv("HOMEPATH");
    if (drive != nullptr && path != nullptr) folder = std::string(drive) + path;
  }
  // Without a trailing delimiter, except for a drive root ("E:\").
  while (folder.size() > 3 && EndsInDelimiter(folder)) folder.pop_back();
  return folder;
}

}  // namespace cartulon
