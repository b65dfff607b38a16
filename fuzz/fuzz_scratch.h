#pragma once
// A scratch folder for fuzz targets that need files on disk: made once per
// process in the system's temporary directory and removed when the process
// ends normally.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include "platform/paths.h"
#include "platform/scratch_folder.h"

namespace cartulon::fuzz {

class ScratchTree {
 public:
  ScratchTree() {
    std::string error;
    if (!folder_.Create(&error)) std::abort();
    root_ = folder_.Path();
  }
  ScratchTree(const ScratchTree&) = delete;
  ScratchTree& operator=(const ScratchTree&) = delete;

  // `rel` with '/' between its parts; the path uses the system's delimiter,
  // as the scan's paths do.
  std::string Path(std::string_view rel = {}) const {
    if (rel.empty()) return root_;
    std::string path = root_ + kPathDelimiter + std::string(rel);
    for (std::size_t at = root_.size(); at < path.size(); ++at) {
      if (path[at] == '/') path[at] = kPathDelimiter;
    }
    return path;
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
    if (!TryWrite(rel, *bytes)) std::abort();
  }
  void Write(std::string_view rel, const std::string& bytes) const { Write(rel, &bytes); }
  // False where the system refuses the file (a name Windows cannot hold).
  bool TryWrite(std::string_view rel, const std::string& bytes) const {
    std::ofstream out(Path(rel), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
  }

 private:
  ScratchFolder folder_;
  std::string root_;
};

}  // namespace cartulon::fuzz
