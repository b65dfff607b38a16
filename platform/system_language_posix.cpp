#include "platform/system_language.h"

#include <cstdlib>

namespace cartulon {

std::string SystemLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') return value;
  }
  return {};
}

// The locale of the environment stands for the system's default language.
unsigned SystemDefaultLanguageId() { return LanguageIdForLocale(SystemLocaleName()); }

}  // namespace cartulon
