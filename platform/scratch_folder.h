#pragma once
// A private working folder in the system's temporary directory, removed with
// everything in it when the object goes.
#include <string>

namespace cartulon {

class ScratchFolder {
 public:
  ScratchFolder() = default;
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  // Creates the folder, readable by this user only; false with the reason
  // in `error`.
  bool Create(std::string* error);
  // Removes the folder now; Path() is empty afterwards.
  void Remove();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace cartulon
