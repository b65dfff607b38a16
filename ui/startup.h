#pragma once
// The running program's environment, as the toolkit tells it.
#include "shell/startup.h"

namespace cartulon {

// The running program's environment: the program file's folder, the current
// folder and today's local date, or the date of CARTULON_TODAY when it holds
// one. Needs the application object.
StartupEnvironment ReadStartupEnvironment();

}  // namespace cartulon
