#pragma once
// Path helpers for disc paths kept as byte strings.
//
// A path is read character by character in the run's code page
// (RunCodePage, platform/code_page.h): in the double-byte code pages the
// second byte of a character may be 0x5C, the byte of '\', which is then
// part of the character and no delimiter.
//
// The disc is authored on Windows, so its INI files write relative paths
// with backslashes. The native delimiter is used for every path the program
// builds; FromDiscPath turns a path read from a disc file into native form.
// What differs by platform (paths_posix.cpp, paths_win32.cpp): the
// delimiter, and drive letters on Windows.
#include <cstddef>
#include <string>
#include <string_view>

namespace cartulon {

// The native delimiter: '/' on POSIX, '\\' on Windows.
extern const char kPathDelimiter;

// The longest path the system's file functions open: 4095 bytes on POSIX
// (PATH_MAX with its terminating NUL), 259 characters on Windows (MAX_PATH
// of the ANSI functions). A longer path cannot be opened at all.
extern const std::size_t kLongestOpenablePath;

// The longest folder path whose entries the system lists: on POSIX the
// longest path it opens; on Windows two less, for the "\*" the listing
// appends to the folder's path. The entries of a longer folder cannot be
// read.
extern const std::size_t kLongestListablePath;

// The longest folder path, counted from a drive root ("E:" included),
// that an installer on Windows opens: MAX_PATH less its terminating NUL. A
// disc's folders must stay within it, whatever system makes the list.
inline constexpr std::size_t kLongestDiscPath = 259;

// True for the native delimiter (and, on Windows, also for '/').
bool IsPathDelimiter(char c);

// True for a delimiter and, on Windows, for the colon of a drive letter: the
// characters after which a path's last component begins.
bool EndsPathPrefix(char c);

// The position of the first delimiter at or after `from` (where a character
// begins); npos when there is none.
std::size_t FindDelimiter(std::string_view path, std::size_t from = 0);

// True when the path's last character is a delimiter.
bool EndsInDelimiter(std::string_view path);

// The path as the system's file functions take it. On Windows a drive root
// kept without its delimiter, as the runs keep a disc root ("E:", "\\?\E:"),
// gets it back: "E:" alone names the current folder of drive E, not its
// root. On POSIX the path as it is.
std::string SystemPath(std::string_view path);

// On Windows a drive-relative path as typed ("E:", "E:Drivers": relative to
// the current folder of drive E) made absolute with the system's full-path
// function; every other path as it is, and every path on POSIX.
std::string ResolveDriveRelative(std::string_view path);

// The path without one trailing delimiter, if it has one: "E:\" becomes
// "E:", a lone delimiter becomes empty, "/disc//" becomes "/disc/".
std::string StripTrailingDelimiter(std::string_view path);

// A disc root as the runs keep it: a drive-relative root resolved first
// (ResolveDriveRelative), then without a trailing delimiter, except for the
// file-system root itself ("/"), which stays as it is, since without its
// delimiter it would be the empty path (the working folder). A drive root
// "E:\" becomes "E:", which SystemPath turns back into the root.
std::string DiscRootPath(std::string_view root);

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
