#pragma once
// Six hexadecimal digits for the name of a new temporary file or folder
// (Windows only; POSIX has mkstemp and mkdtemp), unique enough that a
// create-new call rarely has to try twice: the process, the time and a
// counter of the process mixed.
#include <windows.h>

#include <cstdio>
#include <string>

namespace cartulon::win32 {

inline std::string UniqueSuffix() {
  static LONG counter = 0;
  const unsigned long long mix =
      (static_cast<unsigned long long>(GetCurrentProcessId()) << 20) ^ GetTickCount64() ^
      (static_cast<unsigned long long>(InterlockedIncrement(&counter)) * 2654435761ull);
  char suffix[8];
  std::snprintf(suffix, sizeof suffix, "%06llx", mix & 0xFFFFFFull);
  return suffix;
}

}  // namespace cartulon::win32
