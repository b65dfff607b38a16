#include "platform/paths.h"

#include "platform/code_page.h"

namespace cartulon {

namespace {

// The code page the path's characters are read in. Every lead byte of a
// double-byte code page is above 0x80, so a path without one is read
// byte by byte whatever the run's code page.
unsigned CodePageOf(std::string_view path) {
  for (char c : path) {
    if (static_cast<unsigned char>(c) > 0x80) return RunCodePage();
  }
  return kCodePageWestern;
}

// Position just after the last delimiter (or drive colon on Windows); 0 when
// there is none.
std::size_t AfterLastSeparator(std::string_view path) {
  const unsigned codePage = CodePageOf(path);
  std::size_t after = 0;
  for (std::size_t i = 0; i < path.size(); i += CharacterLength(path, i, codePage)) {
    if (EndsPathPrefix(path[i])) after = i + 1;
  }
  return after;
}

}  // namespace

std::size_t FindDelimiter(std::string_view path, std::size_t from) {
  const unsigned codePage = CodePageOf(path.substr(from < path.size() ? from : path.size()));
  for (std::size_t i = from; i < path.size(); i += CharacterLength(path, i, codePage)) {
    if (IsPathDelimiter(path[i])) return i;
  }
  return std::string_view::npos;
}

bool EndsInDelimiter(std::string_view path) {
  if (path.empty() || !IsPathDelimiter(path.back())) return false;
  const unsigned codePage = CodePageOf(path);
  std::size_t last = 0;
  for (std::size_t i = 0; i < path.size(); i += CharacterLength(path, i, codePage)) last = i;
  return last + 1 == path.size();
}

std::string StripTrailingDelimiter(std::string_view path) {
  if (EndsInDelimiter(path)) path.remove_suffix(1);
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
  if (!result.empty() && !EndsInDelimiter(result)) result.push_back(kPathDelimiter);
  result.append(name);
  return result;
}

std::string FromDiscPath(std::string_view discPath) {
  std::string result(discPath);
  const unsigned codePage = CodePageOf(discPath);
  for (std::size_t i = 0; i < result.size(); i += CharacterLength(result, i, codePage)) {
    if (result[i] == '\\') result[i] = kPathDelimiter;
  }
  return result;
}

}  // namespace cartulon
