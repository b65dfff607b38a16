#include "platform/file_identity.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "platform/error_text_win32.h"
#include "platform/paths.h"
#include "platform/wide_text_win32.h"

namespace cartulon {

namespace {

// Opens a file or folder for its information only; links are followed.
// Backup semantics: the only way to open a folder itself.
HANDLE OpenForInformation(const std::string& path) {
  return CreateFileA(SystemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::optional<FileIdentity> IdentityOfOpen(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// A listed name in the system code page, exactly: a character the code
// page has no form for, or only a look-alike (a best fit such as 'O' for
// an omega), becomes '?', which no real name holds, so that the name is
// known as one the code page cannot spell (NameInCodePage).
std::string ExactAnsiName(const wchar_t* name) {
  std::string out;
  for (const wchar_t* at = name; *at != L'\0';) {
    if (*at < 0x80) {
      out.push_back(static_cast<char>(*at++));
      continue;
    }
    const int units = (*at >= 0xD800 && *at <= 0xDBFF && at[1] != L'\0') ? 2 : 1;
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, at, units, bytes,
                                           sizeof bytes, nullptr, &usedDefault);
    wchar_t back[4];
    const int backLength =
        length > 0 ? MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, length, back, 4) : 0;
    if (usedDefault || backLength != units || std::wmemcmp(back, at, units) != 0) {
      out.push_back('?');
    } else {
      out.append(bytes, static_cast<std::size_t>(length));
    }
    at += units;
  }
  return out;
}

}  // namespace

std::optional<IdentifiedListing> ListFolderIdentified(const std::string& folder) {
  const std::string listed = folder.empty() ? "." : folder;
  IdentifiedListing listing;
  // Unlike a POSIX listing, a Windows listing gives no file ids: the folder
  // itself is asked once, and a plain sub-folder is left unidentified (only
  // a junction or folder link can lead back up, and those are asked).
  if (const std::optional<FileIdentity> identity = FolderIdentity(listed)) listing.folder = *identity;
  // Listed in wide text, so that a name is taken in the code page only
  // where it is spelt exactly.
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileExW(win32::WideFromAnsi(JoinPath(listed, "*")).c_str(), FindExInfoBasic, &found,
                                 FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    // A drive root has no "." and "..": when it is empty nothing matches.
    if (GetLastError() == ERROR_FILE_NOT_FOUND && listing.folder.Known()) return listing;
    return std::nullopt;
  }
  do {
    const std::string name = ExactAnsiName(found.cFileName);
    if (name == "." || name == "..") continue;
    IdentifiedEntry entry;
    entry.name = name;
    entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (entry.isFolder && entry.isLink) {
      if (const std::optional<FileIdentity> identity = FolderIdentity(JoinPath(listed, name))) {
        entry.identity = *identity;
        entry.identityExact = true;
      }
    }
    listing.entries.push_back(std::move(entry));
  } while (FindNextFileW(find, &found));
  if (const DWORD code = GetLastError(); code != ERROR_NO_MORE_FILES) {
    listing.error = win32::ErrorText(code);
  }
  FindClose(find);
  return listing;
}

std::optional<FileIdentity> FolderIdentity(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const DWORD attributes = GetFileAttributesA(SystemPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  HANDLE folder = OpenForInformation(path);
  if (folder == INVALID_HANDLE_VALUE) return std::nullopt;
  const std::optional<FileIdentity> identity = IdentityOfOpen(folder);
  CloseHandle(folder);
  return identity;
}

std::optional<FileIdentity> PathIdentity(const std::string& path) {
  if (path.empty()) return std::nullopt;
  HANDLE file = OpenForInformation(path);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  const std::optional<FileIdentity> identity = IdentityOfOpen(file);
  CloseHandle(file);
  return identity;
}

bool IsLink(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::optional<std::string> RealLocation(const std::string& path) {
  if (path.empty()) return std::nullopt;
  HANDLE file = OpenForInformation(path);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string location(MAX_PATH, '\0');
  DWORD length = GetFinalPathNameByHandleA(file, location.data(), static_cast<DWORD>(location.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length >= location.size()) {
    location.resize(length + 1);
    length = GetFinalPathNameByHandleA(file, location.data(), static_cast<DWORD>(location.size()),
                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  CloseHandle(file);
  if (length == 0 || length >= location.size()) return std::nullopt;
  location.resize(length);
  // The system answers in its long-path form: "\\?\E:\..." for a drive,
  // "\\?\UNC\server\share\..." for a share.
  if (location.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + location.substr(8);
  if (location.rfind("\\\\?\\", 0) == 0) return location.substr(4);
  return location;
}

}  // namespace cartulon
