#pragma once
// A scratch folder for fuzz targets that need files on disk: made once per
// process in the system's temporary directory and removed when the process
// ends normally.
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace cartulon::fuzz {

class ScratchTree {
 public:
  ScratchTree() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "cartulon-fuzz-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) std::abort();
    root_ = buffer.data();
  }
  ~ScratchTree() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  ScratchTree(const ScratchTree&) = delete;
  ScratchTree& operator=(const ScratchTree&) = delete;

  std::string Path(std::string_view rel = {}) const {
    return rel.empty() ? root_ : root_ + "/" + std::string(rel);
  }
  void MakeFolder(std::string_view rel) const { std::filesystem::create_directories(Path(rel)); }
  // Writes the file, making its folder; an absent `bytes` removes it.
  void Write(std::string_view rel, const std::string* bytes) const {
    const std::string path = Path(rel);
    if (bytes == nullptr) {
      std::error_code ec;
      std::filesystem::remove(path, ec);
      return;
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    if (!out) std::abort();
  }
  void Write(std::string_view rel, const std::string& bytes) const { Write(rel, &bytes); }

 private:
  std::string root_;
};

}  // namespace cartulon::fuzz
