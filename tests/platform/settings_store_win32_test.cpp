// The settings store on Windows: the registry, HKEY_LOCAL_MACHINE first and
// HKEY_CURRENT_USER where the machine's key cannot be opened for writing.
#include "platform/settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/test_system.h"

namespace cartulon {
namespace {

std::vector<std::pair<std::string, std::string>> Folders(const std::vector<std::string>& values) {
  std::vector<std::pair<std::string, std::string>> result;
  for (std::size_t i = 0; i < values.size(); ++i) {
    result.emplace_back("Folder" + std::to_string(i + 1), values[i]);
  }
  return result;
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::optional<std::string> StringValue(HKEY root, const std::string& path, const char* name) {
  char buffer[1024];
  DWORD size = sizeof buffer;
  if (RegGetValueA(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(buffer);
}

// A key of this test's own below HKEY_CURRENT_USER, removed afterwards.
class ScratchKey {
 public:
  ScratchKey() {
    static int counter = 0;
    path_ = "Software\\Cartulon tests\\" + std::to_string(test_support::ProcessId()) + "-" +
            std::to_string(++counter);
    // Lasting, so that volatile keys below it are the test's choice.
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                    KEY_READ, nullptr, &key, nullptr);
    if (key != nullptr) RegCloseKey(key);
  }
  ~ScratchKey() { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }
  // The key below ours, as a location of the store.
  std::string Location(const std::string& below) const {
    return "HKEY_CURRENT_USER\\" + path_ + "\\" + below;
  }
  std::string Path(const std::string& below) const { return path_ + "\\" + below; }

 private:
  std::string path_;
};

TEST(SettingsStoreWindows, ValuesWrittenAreReadBackExactly) {
  ScratchKey scratch;
  SettingsStore store({scratch.Location("machine"), scratch.Location("user")});
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder1"), "");  // nothing stored yet

  const std::string withBlanks = "  E:\\disc one\\ ";
  const std::string highBytes = "D:\\Treiber\\\xC4rger \xE9t\xE9";  // system code page bytes
  ASSERT_TRUE(store.WriteStrings(
      kRememberKey, Folders({withBlanks, "\"quoted\"", highBytes, "", "two\r\nlines"})));
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder1"), withBlanks);
  EXPECT_EQ(store.ReadString(kRememberKey, "folder2"), "\"quoted\"");  // names ignore case
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder3"), highBytes);
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder4"), "");
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder5"), "two\r\nlines");  // a string holds them
  EXPECT_EQ(store.ReadString("software\\filelist\\REMEMBER", "Folder1"), withBlanks);
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder6"), "");

  // String values of the machine's key; the user's key was not made.
  const std::string machineKey = scratch.Path("machine\\SOFTWARE\\FileList\\Remember");
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, machineKey, "Folder1"), withBlanks);
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, machineKey, "Folder4"), "");
  EXPECT_EQ(store.ReadPath(), scratch.Location("machine"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratch.Path("user")));

  // A NUL byte ends a string value; rewriting keeps the other values.
  ASSERT_TRUE(store.WriteStrings(kRememberKey, {{"Folder2", std::string("cut\0off", 7)}}));
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder2"), "cut");
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder1"), withBlanks);
}

TEST(SettingsStoreWindows, AValueOfAnotherTypeReadsAsEmpty) {
  ScratchKey scratch;
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, scratch.Path("m\\SOFTWARE\\FileList\\Remember").c_str(),
                            0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD number = 7;
  RegSetValueExA(key, "Folder1", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(key);
  SettingsStore store({scratch.Location("m"), scratch.Location("u")});
  EXPECT_EQ(store.ReadString(kRememberKey, "Folder1"), "");
}

// Where the machine's key cannot be opened for writing, the user's key takes
// the writes and, once it exists, the reads, even when the machine's key
// could be written again. (Here the machine's place is a volatile key, below
// which no lasting key can be created.)
TEST(SettingsStoreWindows, UserKeyTakesOverWhenTheMachineKeyCannotBeWritten) {
  ScratchKey scratch;
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, scratch.Path("locked").c_str(), 0, nullptr,
                            REG_OPTION_VOLATILE, KEY_READ, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  SettingsStore blocked({scratch.Location("locked"), scratch.Location("user")});
  EXPECT_EQ(blocked.ReadPath(), scratch.Location("locked"));
  ASSERT_TRUE(blocked.WriteStrings(kRememberKey, Folders({"E:\\", "", "", "", ""})));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratch.Path("locked\\SOFTWARE")));
  EXPECT_EQ(blocked.ReadPath(), scratch.Location("user"));
  EXPECT_EQ(blocked.ReadString(kRememberKey, "Folder1"), "E:\\");

  SettingsStore shared({scratch.Location("machine"), scratch.Location("nobody")});
  ASSERT_TRUE(shared.WriteStrings(kRememberKey, Folders({"F:\\shared"})));
  EXPECT_EQ(shared.ReadString(kRememberKey, "Folder1"), "F:\\shared");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratch.Path("nobody")));

  SettingsStore later({scratch.Location("machine"), scratch.Location("user")});
  EXPECT_EQ(later.ReadString(kRememberKey, "Folder1"), "E:\\");
  ASSERT_TRUE(later.WriteStrings(kRememberKey, Folders({"E:\\again"})));
  EXPECT_EQ(later.ReadString(kRememberKey, "Folder1"), "E:\\again");
  EXPECT_EQ(shared.ReadString(kRememberKey, "Folder1"), "F:\\shared");

  SettingsStore nowhere({scratch.Location("locked"), scratch.Location("locked")});
  EXPECT_FALSE(nowhere.WriteStrings(kRememberKey, Folders({"G:\\"})));
  SettingsStore unknownRoot({"HKEY_NOWHERE", "HKEY_NOWHERE\\x"});
  EXPECT_FALSE(unknownRoot.WriteStrings(kRememberKey, Folders({"G:\\"})));
  EXPECT_EQ(unknownRoot.ReadString(kRememberKey, "Folder1"), "");
}

TEST(SettingsStoreWindows, DefaultsAreTheMachineAndTheUserRootUnlessTheEnvironmentNamesOne) {
  {
    ScopedEnvironment unset(kStoreOverrideVariable, std::nullopt);
    const SettingsLocations system = DefaultSettingsLocations();
    EXPECT_EQ(system.machine, "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(system.user, "HKEY_CURRENT_USER");
  }
  ScopedEnvironment named(kStoreOverrideVariable, "HKEY_CURRENT_USER\\Software\\Elsewhere");
  const SettingsLocations chosen = DefaultSettingsLocations();
  EXPECT_EQ(chosen.machine, "HKEY_CURRENT_USER\\Software\\Elsewhere");
  EXPECT_EQ(chosen.user, chosen.machine);
}

// The five values of the selection dialog in the machine's own key (or, for
// a user without administrator rights, the user's). Only on a system that
// has not remembered any folders yet, such as the test run's own Wine
// prefix; the key is removed again afterwards.
TEST(SettingsStoreWindows, TheFiveRememberedFoldersRoundTripThroughTheRealKey) {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    if (KeyExists(root, kRememberKey)) GTEST_SKIP() << "this system remembers folders already";
  }
  ScopedEnvironment unset(kStoreOverrideVariable, std::nullopt);
  SettingsStore store(DefaultSettingsLocations());
  const std::vector<std::string> folders = {"E:\\", "F:\\CD", "", "\\\\server\\share\\SupportCD",
                                            "G:\\Z97\\"};
  ASSERT_TRUE(store.WriteStrings(kRememberKey, Folders(folders)));
  const HKEY root = store.ReadPath() == "HKEY_LOCAL_MACHINE" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  for (std::size_t k = 0; k < folders.size(); ++k) {
    const std::string name = "Folder" + std::to_string(k + 1);
    EXPECT_EQ(store.ReadString(kRememberKey, name), folders[k]);
    EXPECT_EQ(StringValue(root, kRememberKey, name.c_str()), folders[k]);
  }
  RegDeleteKeyA(root, kRememberKey);
}

}  // namespace
}  // namespace cartulon
