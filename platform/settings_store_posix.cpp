#include "platform/settings_store.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/disc_files.h"
#include "platform/ini_profile.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace cartulon {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

// The part of a value that one INI line can carry.
std::string OneLine(std::string_view value) {
  const std::size_t end = value.find_first_of(std::string_view("\r\n\0", 3));
  return std::string(value.substr(0, end));
}

struct Line {
  std::string name;  // empty for a bare line without '='
  std::string text;  // the whole line as it is written
};

// A section's lines as the file holds them, names split off.
std::vector<Line> SplitSection(const IniFile& ini, std::string_view section) {
  std::vector<Line> lines;
  for (const std::string& entry : ini.SectionLines(section)) {
    const std::size_t eq = entry.find('=');
    Line line;
    if (eq != std::string::npos) {
      line.name = entry.substr(0, eq);
      while (!line.name.empty() && (line.name.back() == ' ' || line.name.back() == '\t')) {
        line.name.pop_back();
      }
    }
    line.text = entry;
    lines.push_back(std::move(line));
  }
  return lines;
}

// Rewrites the file at `path` with the values of `key` set.
bool WriteTo(const std::string& path, std::string_view key,
             const std::vector<std::pair<std::string, std::string>>& values) {
  const IniFile current = IniFile::Load(path);

  std::string text;
  std::vector<std::string> written;
  for (const std::string& section : current.SectionNames()) {
    if (EqualsIgnoringAsciiCase(section, key)) continue;
    bool seen = false;
    for (const std::string& done : written) seen = seen || EqualsIgnoringAsciiCase(done, section);
    if (seen) continue;
    written.push_back(section);
    text += "[" + section + "]\n";
    for (const Line& line : SplitSection(current, section)) text += line.text + "\n";
    text += "\n";
  }

  std::vector<Line> ours = SplitSection(current, key);
  for (const auto& [name, value] : values) {
    Line fresh{name, name + "=\"" + OneLine(value) + "\""};
    bool replaced = false;
    for (Line& line : ours) {
      if (!replaced && !line.name.empty() && EqualsIgnoringAsciiCase(line.name, name)) {
        line = fresh;
        replaced = true;
      }
    }
    if (!replaced) ours.push_back(fresh);
  }
  text += "[" + std::string(key) + "]\n";
  for (const Line& line : ours) text += line.text + "\n";

  std::error_code ec;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  std::string error;
  return WriteFileAtomically(path, text, &error);
}

}  // namespace

SettingsLocations DefaultSettingsLocations() {
  const std::string override = Environment(kStoreOverrideVariable);
  if (!override.empty()) return {override, override};
  SettingsLocations locations;
  locations.machine = "/etc/xdg/cartulon/remember.ini";
  std::string config = Environment("XDG_CONFIG_HOME");
  if (config.empty() || config[0] != '/') {
    const std::string home = Environment("HOME");
    config = JoinPath(home.empty() ? std::string("/") : home, ".config");
  }
  locations.user = JoinPath(JoinPath(config, "cartulon"), "remember.ini");
  return locations;
}

SettingsStore::SettingsStore(SettingsLocations locations) : locations_(std::move(locations)) {}

std::string SettingsStore::ReadPath(std::string_view) const {
  if (!locations_.user.empty() && locations_.user != locations_.machine &&
      FileExists(locations_.user)) {
    return locations_.user;
  }
  return locations_.machine;
}

std::string SettingsStore::ReadString(std::string_view key, std::string_view name) const {
  return IniFile::Load(ReadPath()).Get(key, name, "");
}

bool SettingsStore::WriteStrings(std::string_view key,
                                 const std::vector<std::pair<std::string, std::string>>& values) {
  const bool userTookOver = !locations_.user.empty() &&
                            locations_.user != locations_.machine &&
                            FileExists(locations_.user);
  if (!userTookOver && !locations_.machine.empty() &&
      WriteTo(locations_.machine, key, values)) {
    return true;
  }
  if (locations_.user.empty() || locations_.user == locations_.machine) {
    return userTookOver && WriteTo(locations_.user, key, values);
  }
  return WriteTo(locations_.user, key, values);
}

}  // namespace cartulon
