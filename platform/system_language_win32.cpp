#include "platform/system_language.h"

#include <windows.h>

namespace cartulon {

// The system's default language, not the user's or the thread's: the one
// choice the UI texts follow.
unsigned SystemDefaultLanguageId() { return GetSystemDefaultLangID(); }

}  // namespace cartulon
