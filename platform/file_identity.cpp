#include "platform/file_identity.h"

#include "platform/paths.h"

namespace cartulon {

bool LocationWithin(std::string_view root, std::string_view location) {
  if (root.empty()) return false;
  if (location.size() < root.size() || location.compare(0, root.size(), root) != 0) return false;
  if (location.size() == root.size()) return true;
  // A root that ends in a delimiter is a file-system root: everything below
  // it continues without another one.
  return EndsInDelimiter(root) || IsPathDelimiter(location[root.size()]);
}

}  // namespace cartulon
