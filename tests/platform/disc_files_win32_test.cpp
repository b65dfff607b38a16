// Disc files on Windows: names in the system code page through the ANSI
// functions, and the letter-case rule of the system itself in the atomic
// write. (A disc whose root is a drive root: tests/cli/cli_drive_win32_test.)
#include "platform/disc_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/dir_structure.h"
#include "platform/message_sink.h"
#include "platform/paths.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

// `text` in the system code page; empty when the code page cannot write it.
std::string InCodePage(const wchar_t* text) {
  BOOL lost = FALSE;
  char bytes[64];
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, bytes,
                                         sizeof bytes, nullptr, &lost);
  if (length <= 1 || lost) return {};
  return std::string(bytes, static_cast<std::size_t>(length - 1));
}

// A name with bytes of the upper half of the system code page: accented
// Latin letters where the code page has them, else two Chinese characters.
std::string UpperHalfName() {
  std::string name = InCodePage(L"Caf\u00e9 \u00c4rger");
  if (name.empty()) name = InCodePage(L"\u7a0b\u5e8f");
  return name;
}

TEST(DiscFilesWindows, NamesInTheUpperHalfOfTheCodePageComeBackByteForByte) {
  const std::string name = UpperHalfName();
  ASSERT_FALSE(name.empty()) << "no such name in code page " << GetACP();
  ASSERT_TRUE(std::any_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; }));
  TempDir disc;
  const std::string folder = disc.MakeFolder(name);
  const std::string file = disc.WriteFile(name + "/" + name + ".ini", "[Default]\r\n");

  const auto entries = ListFolder(disc.Root());
  ASSERT_TRUE(entries.has_value());
  ASSERT_EQ(entries->size(), 1u);
  EXPECT_EQ((*entries)[0].name, name);
  EXPECT_TRUE((*entries)[0].isFolder);
  EXPECT_TRUE(FolderExists(folder));
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(ReadFileBytes(file), "[Default]\r\n");

  std::string error;
  const std::string list = JoinPath(folder, "FileList.txt");
  ASSERT_TRUE(WriteFileAtomically(list, name + "\r\n", &error)) << error;
  EXPECT_EQ(ReadFileBytes(list), name + "\r\n");

  RecordingMessageSink messages;
  DirStructure tree(disc.Root(), 6, messages);
  ASSERT_EQ(tree.RootDir->Children.size(), 1u);
  EXPECT_EQ(tree.RootDir->Children[0]->Name, name);
  EXPECT_EQ(tree.RootDir->Children[0]->FullPath, folder);
}

// A name that differs only in letter case is the existing file: kept when
// it must not be replaced, replaced under its own name when it may be.
TEST(DiscFilesWindows, AnExistingFileInOtherLetterCaseIsTheTarget) {
  TempDir disc;
  disc.WriteFile("FILELIST.TXT", "earlier\r\n");
  const std::string target = disc.Path("FileList.txt");
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(target, "later\r\n", &error, WriteMode::KeepExisting));
  EXPECT_EQ(ReadFileBytes(target), "earlier\r\n");

  ASSERT_TRUE(WriteFileAtomically(target, "later\r\n", &error)) << error;
  const auto entries = ListFolder(disc.Root());
  ASSERT_TRUE(entries.has_value());
  ASSERT_EQ(entries->size(), 1u);
  EXPECT_EQ((*entries)[0].name, "FILELIST.TXT");
  EXPECT_EQ(ReadFileBytes(target), "later\r\n");
}

TEST(DiscFilesWindows, AReplacedFileKeepsItsHiddenMarkAndAReadOnlyOneIsNotReplaced) {
  TempDir disc;
  const std::string hidden = disc.WriteFile("Hidden.txt", "earlier\r\n");
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(hidden, "later\r\n", &error)) << error;
  EXPECT_EQ(ReadFileBytes(hidden), "later\r\n");
  EXPECT_NE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

  const std::string readOnly = disc.WriteFile("ReadOnly.txt", "kept\r\n");
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(WriteFileAtomically(readOnly, "later\r\n", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadFileBytes(readOnly), "kept\r\n");
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ListFolder(disc.Root())->size(), 2u) << "no temporary file may be left behind";
}

}  // namespace
}  // namespace cartulon
