#include "platform/target_names.h"

#include <climits>

#include "platform/paths.h"

namespace cartulon {

std::string TargetNameProblem(const std::string& path) {
  if (path.size() >= PATH_MAX) {
    return "is longer than the " + std::to_string(PATH_MAX - 1) + " bytes a path can have here";
  }
  if (LastComponent(path).size() > NAME_MAX) {
    return "has a name longer than the " + std::to_string(NAME_MAX) +
           " bytes a file name can have here";
  }
  return {};
}

bool IsReadOnlyTarget(const std::string&) { return false; }

}  // namespace cartulon
