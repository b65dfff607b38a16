#pragma once
// A per-machine store of named string values grouped under keys, such as the
// five remembered disc roots (key SOFTWARE\FileList\Remember, values Folder1
// to Folder5).
//
// The values live in an INI file of our own: one section per key, one
// Name="value" line per value. Every user of the machine shares the machine
// file. Where the machine file cannot be written (no rights), the user's own
// file takes the writes and, from the moment it exists, the reads as well,
// the way Windows redirects a machine-wide key for programs without
// administrator rights.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cartulon {

inline constexpr const char* kRememberKey = "SOFTWARE\\FileList\\Remember";
inline constexpr const char* kStoreOverrideVariable = "CARTULON_STORE";

struct SettingsLocations {
  std::string machineFile;  // shared by every user of the machine
  std::string userFile;     // this user's copy, used once the machine file cannot be written
};

// CARTULON_STORE, when set, names the one file used for reading and writing.
// Otherwise: POSIX /etc/xdg/cartulon/remember.ini and
// $XDG_CONFIG_HOME/cartulon/remember.ini (~/.config when unset); Windows
// %ProgramData%\Cartulon\remember.ini and %APPDATA%\Cartulon\remember.ini.
SettingsLocations DefaultSettingsLocations();

class SettingsStore {
 public:
  explicit SettingsStore(SettingsLocations locations);

  // The value `name` of `key` (names ignore ASCII case); empty when the
  // file, key or value is missing.
  std::string ReadString(std::string_view key, std::string_view name) const;

  // Sets the values of `key`, keeping the other values and keys of the file,
  // and writes the file atomically. A value is kept up to its first line
  // break or NUL byte (an INI line cannot hold more). False when neither
  // file could be written.
  bool WriteStrings(std::string_view key,
                    const std::vector<std::pair<std::string, std::string>>& values);

  // The file that reads come from: the user's file once it exists, else the
  // machine file.
  const std::string& ReadPath() const;

 private:
  bool WriteTo(const std::string& path, std::string_view key,
               const std::vector<std::pair<std::string, std::string>>& values) const;

  SettingsLocations locations_;
};

}  // namespace cartulon
