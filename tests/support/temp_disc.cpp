#include "support/temp_disc.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

#include "platform/paths.h"
#include "support/test_system.h"

namespace fs = std::filesystem;

namespace cartulon::test_support {

namespace {

std::atomic<unsigned> g_counter{0};

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  std::fprintf(stderr, "TempDir: %s: %s\n", what.c_str(), path.c_str());
  std::abort();
}

// Restores owner access everywhere below `root` so that folders a test made
// unreadable can still be removed.
void GrantOwnerAccess(const fs::path& root) {
  std::error_code ec;
  fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code ignored;
    if (it->is_symlink(ignored)) {
      it.disable_recursion_pending();
      continue;
    }
    if (it->is_directory(ignored)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
}

}  // namespace

TempDir::TempDir() {
  const fs::path base = fs::temp_directory_path();
  std::random_device rd;
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = "cartulon-" + std::to_string(ProcessId()) + "-" +
                             std::to_string(g_counter++) + "-" +
                             std::to_string(static_cast<unsigned long long>(stamp) ^ rd());
    const fs::path candidate = base / name;
    std::error_code ec;
    if (fs::create_directory(candidate, ec) && !ec) {
      root_ = candidate.string();
      return;
    }
  }
  Fail("cannot create a scratch folder in", base.string());
}

TempDir::~TempDir() {
  if (root_.empty()) return;
  // Grant access first; folders made unreadable by a test would otherwise
  // stop the removal half-way.
  GrantOwnerAccess(root_);
  std::error_code ec;
  fs::remove_all(root_, ec);
  if (ec) {
    GrantOwnerAccess(root_);
    fs::remove_all(root_, ec);
  }
}

// Byte strings throughout, so that names in the upper half of the code page
// reach the file system unchanged.
std::string TempDir::Path(std::string_view rel) const {
  if (rel.empty()) return root_;
  std::string path = root_;
  path += kPathDelimiter;
  for (char c : rel) path += c == '/' ? kPathDelimiter : c;
  return path;
}

std::string TempDir::MakeFolder(std::string_view rel) const {
  const std::string path = Path(rel);
  if (!MakeFolders(path)) Fail("cannot create folder", path);
  return path;
}

std::string TempDir::WriteFile(std::string_view rel, std::string_view bytes) const {
  const std::string path = Path(rel);
  const std::string parent = StripTrailingDelimiter(FolderPart(path));
  if (!parent.empty() && !MakeFolders(parent)) Fail("cannot create folder", parent);
  if (!WriteWholeFile(path, bytes)) Fail("cannot write file", path);
  return path;
}

}  // namespace cartulon::test_support

namespace cartulon::test_support {

std::string Crlf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text.append(line);
    text.append("\r\n");
  }
  return text;
}

std::string Crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::vector<std::string> CrlfLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(bytes.substr(start));
      break;
    }
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace cartulon::test_support
