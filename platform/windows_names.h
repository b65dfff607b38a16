#pragma once
// Names Windows reads otherwise than they are written, whatever system a
// disc is made or listed on: the disc's folders are opened on Windows.
#include <string>
#include <string_view>

namespace cartulon {

// The device a name stands for whatever its folder or extension (CON,
// PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9; "lpt1.txt" and "Con .log" are
// LPT1 and CON too), in capitals; empty for an ordinary name.
std::string WindowsDeviceName(std::string_view name);

// Why Windows cannot open a file or folder of this name, in words that
// follow the name in a message ("is the device name AUX on Windows, not a
// folder"): a device name, or a name that ends in a dot or a space, which
// Windows drops from a name it opens. Empty for a name Windows opens as
// written ("." and ".." too).
std::string WindowsNameProblem(std::string_view name);

}  // namespace cartulon
