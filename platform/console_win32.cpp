#include "platform/console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/wide_text_win32.h"

namespace cartulon {

namespace {

bool IsConsoleWindow(HANDLE stream) {
  DWORD mode = 0;
  return stream != nullptr && stream != INVALID_HANDLE_VALUE && GetConsoleMode(stream, &mode) != 0;
}

// Text in the system code page, shown by the console as it is meant
// whatever the console's own code page.
bool WriteToConsole(HANDLE console, std::string_view bytes) {
  if (bytes.empty()) return true;
  const std::wstring wide = win32::WideFromAnsi(bytes);
  std::wstring_view rest = wide;
  while (!rest.empty()) {
    // Moderate pieces: older consoles refuse very long writes.
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 8192));
    DWORD written = 0;
    if (!WriteConsoleW(console, rest.data(), piece, &written, nullptr) || written == 0)
      return false;
    rest.remove_prefix(written);
  }
  return true;
}

bool WriteStream(std::FILE* stream, DWORD which, std::string_view bytes) {
  HANDLE handle = GetStdHandle(which);
  if (IsConsoleWindow(handle)) {
    std::fflush(stream);
    return WriteToConsole(handle, bytes);
  }
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) {
    return false;
  }
  return std::fflush(stream) == 0;
}

// The wide text in the system code page, or nullopt when some character of
// it has only a best-fit form (or none) there. `spelt` gets the conversion
// with "?" in place of such characters.
std::optional<std::string> ExactAnsi(std::wstring_view wide, std::string& spelt) {
  spelt.clear();
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                         0, nullptr, nullptr);
  if (length <= 0) return std::nullopt;
  spelt.assign(static_cast<std::size_t>(length), '\0');
  BOOL defaulted = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, spelt.data(), length, "?",
                      &defaulted);
  if (defaulted) return std::nullopt;
  return spelt;
}

}  // namespace

ProgramArguments ReadProgramArguments(int argc, char** argv) {
  ProgramArguments read;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) {
    read.args.assign(argv, argv + argc);  // the runtime's own split, best fit and all
    return read;
  }
  // The program name as the runtime gave it: it is not a path the run uses.
  read.args.emplace_back(argc > 0 ? argv[0] : "");
  for (int i = 1; i < count; ++i) {
    std::string spelt;
    if (std::optional<std::string> exact = ExactAnsi(wide[i], spelt)) {
      read.args.push_back(std::move(*exact));
    } else {
      if (read.unspellable.empty()) read.unspellable = spelt.empty() ? "?" : spelt;
      read.args.push_back(std::move(spelt));
    }
  }
  LocalFree(wide);
  return read;
}

void PrepareConsole() {
  // The bytes go out as they are, as on POSIX: no LF becomes CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

bool WriteStandardOutput(std::string_view bytes) {
  return WriteStream(stdout, STD_OUTPUT_HANDLE, bytes);
}

void WriteStandardError(std::string_view bytes) { WriteStream(stderr, STD_ERROR_HANDLE, bytes); }

}  // namespace cartulon
