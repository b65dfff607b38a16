#pragma once
// What an interrupted run leaves behind: nothing. Paths registered here (a
// private scratch folder, the temporary file of a write in progress) are
// removed when the program is interrupted (SIGINT, SIGTERM, SIGHUP,
// SIGQUIT, SIGUSR1, SIGUSR2 and SIGALRM on POSIX; Ctrl-C, Ctrl-Break and
// closing the console on Windows), and the program then ends with 128 + the
// signal number. On POSIX a file-size limit does not end the program: the
// write that passes it fails.
//
// Registering and the step a path is created or renamed in run under one
// lock that the clean-up takes as well, so that an interrupt never falls
// between the creation of a file and its registration, nor between its
// rename and its removal from the list.
#include <functional>
#include <string>

namespace cartulon {

// Runs `step` under the clean-up lock (creating or renaming a registered
// path together with its registration).
void WithCleanupLock(const std::function<void()>& step);

// Adds or removes a path; call within WithCleanupLock when the path is
// created or renamed in the same step. A folder is removed with everything
// in it.
void RegisterForCleanup(const std::string& path);
void UnregisterFromCleanup(const std::string& path);

// Removes every registered path (the clean-up lock must be held). A path
// that cannot be removed yet stays registered; true when none is left.
bool RemoveRegisteredPaths();

// What an interrupt does: takes the clean-up lock for good (no file is
// created or renamed after this), removes every registered path and ends
// the process at once with 128 + `signalNumber`.
[[noreturn]] void EndInterruptedRun(int signalNumber);

// Makes interrupts run the clean-up and end the program. Call once, early in
// main, before any other thread starts (on POSIX the interrupt signals are
// then taken by a watcher thread of their own).
void InstallInterruptCleanup();

// Per platform (interrupt_cleanup_posix.cpp, interrupt_cleanup_win32.cpp).
// Removes a file, or a folder with everything below it; a link is removed
// itself, never what it leads to. True when nothing is left.
bool RemovePathTree(const std::string& path);
// Ends the process at once, without running destructors or exit handlers.
[[noreturn]] void EndProcessNow(int status);

}  // namespace cartulon
