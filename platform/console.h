#pragma once
// The console side of the batch command: its standard streams. (What an
// interruption leaves behind, nothing, is platform/interrupt_cleanup.h.)
//
// POSIX (console_posix.cpp): bytes go out as they are; a closed pipe is a
// write error rather than a signal.
// Windows (console_win32.cpp): the streams are binary (no LF to CR LF). A
// console window is written through its Unicode output, converted from the
// system code page, so that it shows the texts as they are meant; a file or
// pipe gets the bytes as they are.
#include <string_view>

namespace cartulon {

// Sets up the standard streams; the first thing the batch command does.
void PrepareConsole();

// Writes the bytes to standard output and flushes it; false when they could
// not all be written.
bool WriteStandardOutput(std::string_view bytes);

// Writes the bytes to standard error and flushes it.
void WriteStandardError(std::string_view bytes);

}  // namespace cartulon
