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
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cartulon {

// The program's arguments, the program name first, as the rest of the
// program takes text: bytes in the system code page. On POSIX argv as it
// is. On Windows the command line is read as the wide text it was typed as
// and converted without best-fit characters: an argument the code page
// cannot spell exactly would otherwise reach the program as a look-alike
// ("Ω" as "O"), a path to some other file.
struct ProgramArguments {
  std::vector<std::string> args;
  // The first argument with no exact form, with "?" where its characters
  // could not be spelt; empty when every argument has one.
  std::string unspellable;
};
ProgramArguments ReadProgramArguments(int argc, char** argv);

// Sets up the standard streams; the first thing the batch command does.
void PrepareConsole();

// Writes the bytes to standard output and flushes it; false when they could
// not all be written.
bool WriteStandardOutput(std::string_view bytes);

// Writes the bytes to standard error and flushes it.
void WriteStandardError(std::string_view bytes);

}  // namespace cartulon
