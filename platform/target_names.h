#pragma once
// What makes a path unfit to be written as a file before anything is tried,
// so that a run checks every target before it writes the first one and never
// writes the list to fail on the table afterwards.
//
// POSIX (target_names_posix.cpp): a path of PATH_MAX bytes or more, a last
// name longer than NAME_MAX bytes. A read-only file is replaced like any
// other (the folder's permission decides).
// Windows (target_names_win32.cpp): a device name (CON, PRN, AUX, NUL, COM1
// to COM9, LPT1 to LPT9, with or without an extension), a ':' after the
// drive part (a stream of a file), a full path past the 259 characters the
// ANSI file functions can open; and a file with the read-only attribute,
// which the system does not let a write replace.
#include <string>

namespace cartulon {

// Why no file can be written at `path`, in words that follow the path in a
// message ("... names the device CON, not a file"); empty when nothing is
// in the way.
std::string TargetNameProblem(const std::string& path);

// Whether an existing file at `path` cannot be replaced because it is
// marked read-only.
bool IsReadOnlyTarget(const std::string& path);

}  // namespace cartulon
