#include "platform/paths.h"

namespace cartulon {

namespace {

// Position just after the last delimiter (or drive colon on Windows); 0 when
// there is none.
std::size_t AfterLastSeparator(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (EndsPathPrefix(path[i - 1])) return i;
  }
  return 0;
}

}  // namespace

std::string StripTrailingDelimiter(std::string_view path) {
  if (!path.empty() && IsPathDelimiter(path.back())) path.remove_suffix(1);
  return std::string(path);
}

std::string DiscRootPath(std::string_view root) {
  if (root.size() == 1 && IsPathDelimiter(root[0])) return std::string(root);
  return StripTrailingDelimiter(ResolveDriveRelative(root));
}

std::string LastComponent(std::string_view path) {
  return std::string(path.substr(AfterLastSeparator(path)));
}

std::string FolderPart(std::string_view path) {
  return std::string(path.substr(0, AfterLastSeparator(path)));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string result(folder);
  if (!result.empty() && !IsPathDelimiter(result.back())) result.push_back(kPathDelimiter);
  result.append(name);
  return result;
}

std::string FromDiscPath(std::string_view discPath) {
  std::string result(discPath);
  for (char& c : result) {
    if (c == '\\') c = kPathDelimiter;
  }
  return result;
}

}  // namespace cartulon
