#pragma once
// What an interrupted run leaves behind: nothing. Paths registered here (a
// private scratch folder, the temporary file of a write in progress) are
// removed when the program is interrupted (SIGINT, SIGTERM, SIGHUP on
// POSIX; Ctrl-C, Ctrl-Break and closing the console on Windows), and the
// program then ends with 128 + the signal number.
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

// Removes every registered path (the clean-up lock must be held).
void RemoveRegisteredPaths();

// Makes interrupts run the clean-up and end the program. Call once, early in
// main, before any other thread starts (on POSIX the interrupt signals are
// then taken by a watcher thread of their own).
void InstallInterruptCleanup();

}  // namespace cartulon
