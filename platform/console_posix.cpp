#include "platform/console.h"

#include <csignal>
#include <cstdio>

namespace cartulon {

ProgramArguments ReadProgramArguments(int argc, char** argv) {
  ProgramArguments read;
  read.args.assign(argv, argv + argc);
  return read;
}

void PrepareConsole() {
  // A closed pipe on --stdout is a write error, not a silent death that
  // would leave the working folder behind.
  std::signal(SIGPIPE, SIG_IGN);
}

bool WriteStandardOutput(std::string_view bytes) {
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
    return false;
  }
  return std::fflush(stdout) == 0;
}

void WriteStandardError(std::string_view bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stderr);
  std::fflush(stderr);
}

}  // namespace cartulon
