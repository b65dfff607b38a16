#include "platform/disc_files.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/error_text_win32.h"
#include "platform/input_files.h"
#include "platform/interrupt_cleanup.h"
#include "platform/paths.h"
#include "platform/unique_name_win32.h"

namespace cartulon {

namespace {

// Attributes of `path`, nullopt when it does not exist or cannot be reached.
std::optional<DWORD> Attributes(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const DWORD attributes = GetFileAttributesA(SystemPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool FileExists(const std::string& path) {
  const std::optional<DWORD> attributes = Attributes(path);
  return attributes && !(*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  const std::optional<DWORD> attributes = Attributes(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error,
                         WriteMode mode, bool* appeared) {
  auto fail = [&](const std::string& reason) {
    if (error != nullptr) *error = reason;
    return false;
  };
  if (path.empty()) return fail("No file name given.");

  std::string target = path;
  DWORD keptAttributes = 0;
  if (const std::optional<DWORD> attributes = Attributes(path)) {
    if (*attributes & FILE_ATTRIBUTE_DIRECTORY) return fail(std::strerror(EISDIR));
    // A device name (NUL, CON, COM1) or a pipe is no file to replace.
    if (CheckInputFile(path) == InputFileState::NotAFile) return fail("It is not a regular file.");
    if (mode == WriteMode::KeepExisting) {
      if (appeared != nullptr) *appeared = true;
      return fail(std::strerror(EEXIST));
    }
    // What MoveFileEx refuses on Windows itself, refused here in so many
    // words, so that no implementation of the call replaces it.
    if (*attributes & FILE_ATTRIBUTE_READONLY) return fail(win32::ErrorText(ERROR_ACCESS_DENIED));
    // A name that differs only in letter case is the same file: it is
    // replaced under the name it has.
    WIN32_FIND_DATAA found;
    if (path.find_first_of("*?") == std::string::npos) {
      HANDLE find = FindFirstFileA(path.c_str(), &found);
      if (find != INVALID_HANDLE_VALUE) {
        target = FolderPart(path) + found.cFileName;
        FindClose(find);
      }
    }
    // The new file keeps the old one's hidden and system marks.
    keptAttributes = *attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  }

  const std::string folder = FolderPart(target);
  std::string temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  DWORD createError = 0;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temp = folder + ".cartulon-" + win32::UniqueSuffix();
    // Created and registered in one step, so that an interruption removes
    // it. Shared for deletion, so that it can be removed while still open.
    WithCleanupLock([&] {
      file = CreateFileA(temp.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
      createError = GetLastError();
      if (file != INVALID_HANDLE_VALUE) RegisterForCleanup(temp);
    });
    if (file == INVALID_HANDLE_VALUE && createError != ERROR_FILE_EXISTS &&
        createError != ERROR_ALREADY_EXISTS) {
      return fail(win32::ErrorText(createError));
    }
  }
  if (file == INVALID_HANDLE_VALUE) return fail(win32::ErrorText(ERROR_FILE_EXISTS));

  auto discard = [&](DWORD code) {
    WithCleanupLock([&] {
      DeleteFileA(temp.c_str());
      UnregisterFromCleanup(temp);
    });
    return fail(win32::ErrorText(code));
  };
  const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
  const DWORD writeError = written ? 0 : GetLastError();
  CloseHandle(file);
  if (!written) return discard(writeError);
  if (keptAttributes != 0) SetFileAttributesA(temp.c_str(), keptAttributes);

  // Without MOVEFILE_REPLACE_EXISTING the rename fails on a name that is
  // taken, so a file that appeared meanwhile is kept.
  DWORD flags = MOVEFILE_WRITE_THROUGH;
  if (mode == WriteMode::ReplaceExisting) flags |= MOVEFILE_REPLACE_EXISTING;
  bool moved = false;
  DWORD moveError = 0;
  WithCleanupLock([&] {
    moved = MoveFileExA(temp.c_str(), target.c_str(), flags) != 0;
    moveError = GetLastError();
    if (moved) UnregisterFromCleanup(temp);
  });
  if (!moved) {
    if ((moveError == ERROR_ALREADY_EXISTS || moveError == ERROR_FILE_EXISTS) && appeared != nullptr) {
      *appeared = true;
    }
    return discard(moveError);
  }
  return true;
}

}  // namespace cartulon
