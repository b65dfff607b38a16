#pragma once
// A per-machine store of named string values grouped under keys, such as the
// five remembered disc roots (key SOFTWARE\FileList\Remember, values Folder1
// to Folder5).
//
// Two places hold the values: the machine's, shared by every user, and the
// user's own. Where the machine place cannot be written (no administrator
// rights), the user's place takes the writes and, from the moment it holds
// the key, the reads as well.
//
// POSIX (settings_store_posix.cpp): each place is an INI file of our own,
// one section per key, one Name="value" line per value; a value is kept up
// to its first line break or NUL byte (an INI line cannot hold more).
// Windows (settings_store_win32.cpp): each place is a registry location, the
// key a registry key below it, the values REG_SZ values; a value is kept up
// to its first NUL byte.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cartulon {

inline constexpr const char* kRememberKey = "SOFTWARE\\FileList\\Remember";
inline constexpr const char* kStoreOverrideVariable = "CARTULON_STORE";

// POSIX: two INI files. Windows: two registry locations, each a root key
// name (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER), optionally followed by "\"
// and a key below it under which the store's keys lie.
struct SettingsLocations {
  std::string machine;  // shared by every user of the machine
  std::string user;     // this user's, used once the machine's cannot be written
};

// CARTULON_STORE, when set, names the one place used for reading and
// writing. Otherwise: POSIX /etc/xdg/cartulon/remember.ini and
// $XDG_CONFIG_HOME/cartulon/remember.ini (~/.config when unset); Windows
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
SettingsLocations DefaultSettingsLocations();

class SettingsStore {
 public:
  explicit SettingsStore(SettingsLocations locations);

  // The value `name` of `key` (names ignore ASCII case); empty when the
  // place, key or value is missing.
  std::string ReadString(std::string_view key, std::string_view name) const;

  // Sets the values of `key`, keeping the other values and keys of the
  // place. False when neither place could be written.
  bool WriteStrings(std::string_view key,
                    const std::vector<std::pair<std::string, std::string>>& values);

  // The place that reads of `key` come from: the user's once it holds
  // something (POSIX: the file exists; Windows: the key exists), else the
  // machine's.
  std::string ReadPath(std::string_view key = kRememberKey) const;

 private:
  SettingsLocations locations_;
};

}  // namespace cartulon
