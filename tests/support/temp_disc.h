#pragma once
// A scratch folder for tests that build small support discs on the real file
// system. Each TempDir creates a fresh, uniquely named folder under the
// system's temporary directory and removes it, with everything below it, when
// it goes out of scope.
//
// Include as "support/temp_disc.h"; the test binaries put tests/ on the
// include path.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace cartulon::test_support {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The scratch folder itself (native path, no trailing delimiter).
  const std::string& Root() const { return root_; }

  // The native path of `rel` below the scratch folder; `rel` uses '/' and may
  // be empty (then the root itself is returned).
  std::string Path(std::string_view rel = {}) const;

  // Creates the folder `rel` and any missing parents; returns its path.
  std::string MakeFolder(std::string_view rel) const;

  // Writes `bytes` to the file `rel` (replacing it), creating missing parent
  // folders; returns its path. Aborts the test run on failure.
  std::string WriteFile(std::string_view rel, std::string_view bytes) const;

 private:
  std::string root_;
};

}  // namespace cartulon::test_support

namespace cartulon::test_support {

// Lines joined with CR LF after each, the last one included: how the disc's
// INI files and the written lists end their lines.
std::string Crlf(std::initializer_list<std::string_view> lines);
std::string Crlf(const std::vector<std::string>& lines);

// File bytes split at CR LF; a last piece without CR LF is kept.
std::vector<std::string> CrlfLines(std::string_view bytes);

}  // namespace cartulon::test_support

namespace cartulon {
using test_support::Crlf;
using test_support::CrlfLines;
// Also reachable as cartulon::TempDir. (The helper's own namespace is not
// called "testing" so that it never hides GoogleTest's ::testing inside
// namespace cartulon.)
using test_support::TempDir;
}  // namespace cartulon
