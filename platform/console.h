#pragma once
// The console side of the batch command: its standard streams, and what an
// interruption from the console leaves behind (nothing).
//
// POSIX (console_posix.cpp): bytes go out as they are; a closed pipe is a
// write error rather than a signal.
// Windows (console_win32.cpp): the streams are binary (no LF to CR LF). A
// console window is written through its Unicode output, converted from the
// system code page, so that it shows the texts as they are meant; a file or
// pipe gets the bytes as they are. Ctrl-C, Ctrl-Break, closing the console
// window, log-off and shut-down remove the scratch folder and the temporary
// file of an unfinished write, then end the process with 128 + the number of
// the POSIX signal each stands for: Ctrl-C 130 (SIGINT), a closed window 129
// (SIGHUP), Ctrl-Break, log-off and shut-down 143 (SIGTERM).
#include <string_view>

namespace cartulon {

// Sets up the standard streams and the handling of interruptions; the first
// thing the batch command does.
void PrepareConsole();

// Writes the bytes to standard output and flushes it; false when they could
// not all be written.
bool WriteStandardOutput(std::string_view bytes);

// Writes the bytes to standard error and flushes it.
void WriteStandardError(std::string_view bytes);

}  // namespace cartulon
