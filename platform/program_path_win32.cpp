#include "platform/program_path.h"

#include <windows.h>

#include <vector>

#include "platform/paths.h"

namespace cartulon {

std::string RunningProgramFolder(const char* argv0) {
  // The buffer grows until the whole path fits (paths may exceed MAX_PATH).
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) break;
    if (length < buffer.size()) {
      return StripTrailingDelimiter(FolderPart(std::string(buffer.data(), length)));
    }
    buffer.resize(buffer.size() * 2);
  }
  return StripTrailingDelimiter(FolderPart(argv0 != nullptr ? argv0 : ""));
}

LocalDate LocalToday() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wMonth, now.wDay, now.wYear};
}

}  // namespace cartulon
