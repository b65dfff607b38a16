#include "platform/input_files.h"

#include <algorithm>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

namespace cartulon {

std::string InputFileProblem(InputFileState state) {
  switch (state) {
    case InputFileState::Readable:
      return {};
    case InputFileState::Missing:
      return "does not exist";
    case InputFileState::NotAFile:
      return "is not a regular file";
    case InputFileState::TooLarge:
      return "is larger than " + std::to_string(kLargestInputFile >> 20) + " MiB";
  }
  return {};
}

namespace {

std::mutex& RecordMutex() {
  static std::mutex mutex;
  return mutex;
}

// The identities read while a record exists; null when none does.
std::vector<FileIdentity>*& RecordedFiles() {
  static std::vector<FileIdentity>* files = nullptr;
  return files;
}

}  // namespace

InputFileRecord::InputFileRecord() {
  std::lock_guard<std::mutex> lock(RecordMutex());
  RecordedFiles() = new std::vector<FileIdentity>();
}

InputFileRecord::~InputFileRecord() {
  std::lock_guard<std::mutex> lock(RecordMutex());
  delete RecordedFiles();
  RecordedFiles() = nullptr;
}

bool InputFileRecord::Holds(const FileIdentity& identity) const {
  std::lock_guard<std::mutex> lock(RecordMutex());
  const std::vector<FileIdentity>* files = RecordedFiles();
  return identity.Known() && files != nullptr &&
         std::find(files->begin(), files->end(), identity) != files->end();
}

std::string UnreadableReason(const std::string& path) {
  const OpenedInputFile file = ReadOpenedInputFile(path);
  if (file.bytes) return {};
  if (file.state != InputFileState::Readable) return InputFileProblem(file.state);
  std::string_view failure = file.failure;
  while (!failure.empty() && (failure.back() == '.' || failure.back() == ' ')) {
    failure.remove_suffix(1);
  }
  if (failure.empty()) return "cannot be read";
  return "cannot be read (" + std::string(failure) + ")";
}

std::optional<std::string> ReadInputFile(const std::string& path, InputFileState* state) {
  OpenedInputFile file = ReadOpenedInputFile(path);
  if (state != nullptr) *state = file.state;
  if (file.bytes && file.identity.Known()) {
    std::lock_guard<std::mutex> lock(RecordMutex());
    if (std::vector<FileIdentity>* files = RecordedFiles()) {
      if (std::find(files->begin(), files->end(), file.identity) == files->end()) {
        files->push_back(file.identity);
      }
    }
  }
  return std::move(file.bytes);
}

}  // namespace cartulon
