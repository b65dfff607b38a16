#include "platform/settings_store.h"

#include <windows.h>

#include <cstdlib>
#include <optional>

#include "platform/paths.h"
#include "platform/text.h"

namespace cartulon {

namespace {

struct RegistryPlace {
  HKEY root = nullptr;
  std::string below;  // key path below the root, may be empty
};

// "HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER", optionally "\" and a key path.
std::optional<RegistryPlace> ParsePlace(std::string_view location) {
  const std::size_t delimiter = location.find('\\');
  const std::string_view rootName = location.substr(0, delimiter);
  RegistryPlace place;
  if (EqualsIgnoringAsciiCase(rootName, "HKEY_LOCAL_MACHINE")) {
    place.root = HKEY_LOCAL_MACHINE;
  } else if (EqualsIgnoringAsciiCase(rootName, "HKEY_CURRENT_USER")) {
    place.root = HKEY_CURRENT_USER;
  } else {
    return std::nullopt;
  }
  if (delimiter != std::string_view::npos) place.below = location.substr(delimiter + 1);
  return place;
}

std::string KeyPath(const RegistryPlace& place, std::string_view key) {
  if (place.below.empty()) return std::string(key);
  return place.below + "\\" + std::string(key);
}

// The key `key` at `location` opened for reading; nullptr when it is not there.
HKEY OpenForReading(std::string_view location, std::string_view key) {
  const std::optional<RegistryPlace> place = ParsePlace(location);
  HKEY opened = nullptr;
  if (!place || RegOpenKeyExA(place->root, KeyPath(*place, key).c_str(), 0, KEY_QUERY_VALUE,
                              &opened) != ERROR_SUCCESS) {
    return nullptr;
  }
  return opened;
}

bool KeyExists(std::string_view location, std::string_view key) {
  HKEY opened = OpenForReading(location, key);
  if (opened == nullptr) return false;
  RegCloseKey(opened);
  return true;
}

// Opens (creating it when missing) the key for writing and sets the values.
// Without administrator rights the machine's key cannot be opened so.
bool WriteTo(std::string_view location, std::string_view key,
             const std::vector<std::pair<std::string, std::string>>& values) {
  const std::optional<RegistryPlace> place = ParsePlace(location);
  if (!place) return false;
  HKEY opened = nullptr;
  if (RegCreateKeyExA(place->root, KeyPath(*place, key).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  bool written = true;
  for (const auto& [name, value] : values) {
    // A REG_SZ value ends at its first NUL byte.
    const std::string text = value.substr(0, value.find('\0'));
    written = RegSetValueExA(opened, name.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS &&
              written;
  }
  RegCloseKey(opened);
  return written;
}

}  // namespace

SettingsLocations DefaultSettingsLocations() {
  const char* override = std::getenv(kStoreOverrideVariable);
  if (override != nullptr && override[0] != '\0') return {override, override};
  return {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER"};
}

SettingsStore::SettingsStore(SettingsLocations locations) : locations_(std::move(locations)) {}

std::string SettingsStore::ReadPath(std::string_view key) const {
  if (!locations_.user.empty() && locations_.user != locations_.machine &&
      KeyExists(locations_.user, key)) {
    return locations_.user;
  }
  return locations_.machine;
}

std::string SettingsStore::ReadString(std::string_view key, std::string_view name) const {
  HKEY opened = OpenForReading(ReadPath(key), key);
  if (opened == nullptr) return {};
  const std::string valueName(name);
  std::string text;
  DWORD type = 0;
  DWORD size = 0;
  LONG status = RegQueryValueExA(opened, valueName.c_str(), nullptr, &type, nullptr, &size);
  // The value may grow between the two calls: ask again until it fits.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    text.resize(size);
    status = RegQueryValueExA(opened, valueName.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(text.data()), &size);
    if (status == ERROR_SUCCESS) {
      text.resize(size);
      break;
    }
  }
  RegCloseKey(opened);
  // A value of another type than a string reads as missing.
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  return text.substr(0, text.find('\0'));
}

bool SettingsStore::WriteStrings(std::string_view key,
                                 const std::vector<std::pair<std::string, std::string>>& values) {
  const bool separateUser = !locations_.user.empty() && locations_.user != locations_.machine;
  const bool userTookOver = separateUser && KeyExists(locations_.user, key);
  if (!userTookOver && !locations_.machine.empty() && WriteTo(locations_.machine, key, values)) {
    return true;
  }
  return separateUser && WriteTo(locations_.user, key, values);
}

}  // namespace cartulon
