#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/temp_disc.h"

namespace cartulon {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::pair<std::string, std::string>> Folders(const std::vector<std::string>& values) {
  std::vector<std::pair<std::string, std::string>> result;
  for (std::size_t i = 0; i < values.size(); ++i) {
    result.emplace_back("Folder" + std::to_string(i + 1), values[i]);
  }
  return result;
}

TEST(SettingsStore, ValuesWrittenAreReadBackExactly) {
  TempDir dir;
  SettingsStore store({dir.Path("machine/remember.ini"), dir.Path("user/remember.ini")});
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder1"), "");  // nothing stored yet

  const std::string withBlanks = "  /media/disc one/ ";
  const std::string quoted = "\"quoted\"";
  const std::string highBytes = "/discs/\xB9\xE2\xC5\xCC";  // not UTF-8
  ASSERT_TRUE(store.WriteStrings(kRememberKey,
                                 Folders({withBlanks, quoted, highBytes, "", "a=b;c"})));
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder1"), withBlanks);
  EXPECT_EQ(store.ReadString(kRememberKey, "folder2"), quoted);  // names ignore case
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder3"), highBytes);
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder4"), "");
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder5"), "a=b;c");
  EXPECT_EQ(store.ReadString("software\\filelist\\REMEMBER", "Folder5"), "a=b;c");
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder6"), "");
  // The machine file took the write; no user file was made.
  EXPECT_EQ(store.ReadPath(), dir.Path("machine/remember.ini"));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("user/remember.ini")));
}

TEST(SettingsStore, RewritingKeepsOtherKeysAndValues) {
  TempDir dir;
  const std::string file = dir.WriteFile("store.ini",
                                         "[Other]\nKeep=1\n\n[SOFTWARE\\FileList\\Remember]\n"
                                         "Folder1=\"old\"\nExtra=\"stays\"\n");
  SettingsStore store({file, file});
  ASSERT_TRUE(store.WriteStrings(kRememberKey, {{"Folder1", "new"}, {"Folder2", "two"}}));
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder1"), "new");
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder2"), "two");
  EXPECT_EQ(store.ReadString(kRememberKey, "Extra"), "stays");
  EXPECT_EQ(store.ReadString("Other", "Keep"), "1");
}

TEST(SettingsStore, ALineBreakEndsTheStoredValue) {
  TempDir dir;
  SettingsStore store({dir.Path("s.ini"), dir.Path("s.ini")});
  ASSERT_TRUE(store.WriteStrings(kRememberKey, {{"Folder1", "first\nFolder2=injected"}}));
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder1"), "first");
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder2"), "");
}

// Where the machine file cannot be written, the user file takes over, and
// once it exists it keeps the reads and writes even when the machine file
// could be written again.
TEST(SettingsStore, UserFileTakesOverWhenTheMachineFileCannotBeWritten) {
  TempDir dir;
  // A plain file where the machine file's folder should be blocks the write
  // even for the administrator.
  const std::string blocker = dir.WriteFile("etc-xdg", "not a folder");
  const std::string user = dir.Path("home/.config/cartulon/remember.ini");
  SettingsStore blocked({blocker + "/cartulon/remember.ini", user});
  EXPECT_EQ(blocked.ReadPath(), blocker + "/cartulon/remember.ini");
  ASSERT_TRUE(blocked.WriteStrings(kRememberKey, Folders({"/mine", "", "", "", ""})));
  EXPECT_EQ(blocked.ReadPath(), user);
  EXPECT_EQ(blocked.ReadString(kRememberKey, "Folder1"), "/mine");

  const std::string machine = dir.WriteFile(
      "machine/remember.ini", "[SOFTWARE\\FileList\\Remember]\nFolder1=\"/shared\"\n");
  SettingsStore later({machine, user});
  EXPECT_EQ(later.ReadString(kRememberKey, "Folder1"), "/mine");
  ASSERT_TRUE(later.WriteStrings(kRememberKey, Folders({"/mine/again"})));
  EXPECT_EQ(later.ReadString(kRememberKey, "Folder1"), "/mine/again");
  EXPECT_NE(ReadAll(machine).find("/shared"), std::string::npos);
  EXPECT_EQ(ReadAll(machine).find("/mine"), std::string::npos);

  // Without a user file the machine file is read and written.
  SettingsStore shared({machine, dir.Path("nobody/remember.ini")});
  EXPECT_EQ(shared.ReadString(kRememberKey, "Folder1"), "/shared");
  ASSERT_TRUE(shared.WriteStrings(kRememberKey, Folders({"/shared/new"})));
  EXPECT_NE(ReadAll(machine).find("/shared/new"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("nobody/remember.ini")));
}

TEST(SettingsStore, FailsWhenNoFileCanBeWritten) {
  TempDir dir;
  const std::string file = dir.WriteFile("plain", "x");
  SettingsStore store({file + "/a.ini", file + "/b.ini"});
  EXPECT_FALSE(store.WriteStrings(kRememberKey, {{"Folder1", "/x"}}));
  SettingsStore single({file + "/a.ini", file + "/a.ini"});
  EXPECT_FALSE(single.WriteStrings(kRememberKey, {{"Folder1", "/x"}}));
}

TEST(SettingsStore, EnvironmentNamesTheStoreFile) {
  const char* saved = std::getenv(kStoreOverrideVariable);
  const std::string savedValue = saved ? saved : "";
  ::setenv(kStoreOverrideVariable, "/some/where/store.ini", 1);
  SettingsLocations named = DefaultSettingsLocations();
  EXPECT_EQ(named.machine, "/some/where/store.ini");
  EXPECT_EQ(named.user, "/some/where/store.ini");

  ::unsetenv(kStoreOverrideVariable);
  const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string savedConfigValue = savedConfig ? savedConfig : "";
  ::setenv("XDG_CONFIG_HOME", "/home/u/.cfg", 1);
  SettingsLocations system = DefaultSettingsLocations();
  EXPECT_EQ(system.machine, "/etc/xdg/cartulon/remember.ini");
  EXPECT_EQ(system.user, "/home/u/.cfg/cartulon/remember.ini");
  if (savedConfig) {
    ::setenv("XDG_CONFIG_HOME", savedConfigValue.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
  if (saved) ::setenv(kStoreOverrideVariable, savedValue.c_str(), 1);
}

}  // namespace
}  // namespace cartulon
