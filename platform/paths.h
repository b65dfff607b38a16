#pragma once
// Path helpers for disc paths kept as byte strings.
//
// The disc is authored on Windows, so its INI files write relative paths
// with backslashes. On this platform the native delimiter is used for every
// path the program builds; FromDiscPath turns a path read from a disc file
// into native form.
#include <string>
#include <string_view>

namespace cartulon {

#ifdef _WIN32
inline constexpr char kPathDelimiter = '\\';
#else
inline constexpr char kPathDelimiter = '/';
#endif

// True for the native delimiter (and, on Windows, also for '/').
bool IsPathDelimiter(char c);

// The path without one trailing delimiter, if it has one: "E:\" becomes
// "E:", a lone delimiter becomes empty, "/disc//" becomes "/disc/".
std::string StripTrailingDelimiter(std::string_view path);

// The text after the last delimiter (or drive colon on Windows); the whole
// text when there is none; empty when the path ends in a delimiter.
std::string LastComponent(std::string_view path);

// Everything up to and including the last delimiter (or drive colon on
// Windows); empty when there is none.
std::string FolderPart(std::string_view path);

// folder + one delimiter + name (no delimiter added when folder already ends
// in one or is empty).
std::string JoinPath(std::string_view folder, std::string_view name);

// A path written on the disc (backslash delimiters) in native form.
std::string FromDiscPath(std::string_view discPath);

}  // namespace cartulon
