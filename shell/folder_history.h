#pragma once
// The five disc roots used last, most recent first, as the selection dialog
// shows and the settings store keeps them; and the disc root proposed when
// the dialog opens.
#include <array>
#include <string>

namespace cartulon {

inline constexpr int kRememberedFolders = 5;

// Slots 0 to 4 are stored; slot 5 only receives the entry that drops off the
// end.
struct FolderHistory {
  std::array<std::string, kRememberedFolders + 1> History;
  // Non-empty values found when the dialog was shown: the search bound of
  // UpdateHistory.
  int HistoryCount = 0;

  // The five stored values, in order; counts the non-empty ones.
  void Load(const std::array<std::string, kRememberedFolders>& values);
  // Moves `path` to the front: an entry already remembered keeps one slot,
  // a new one pushes the others down (the fifth drops off).
  void UpdateHistory(const std::string& path);
  std::array<std::string, kRememberedFolders> Stored() const;
};

// The disc root the dialog proposes when it opens. When the program sits on a
// support disc (its folder holds Zscdinst.ini, or the parent of its folder
// holds Bin/Zscdinst.ini, both by the disc's letter-case rule), the parent
// of the program's folder with a trailing delimiter: the disc root for a
// program in the disc's Bin folder. Otherwise (an installed program) the
// first non-empty remembered folder as stored, else the home folder with a
// trailing delimiter; the parent of the program's folder again when the home
// folder is unknown.
std::string DefaultDiscRoot(const std::string& programFolder,
                            const std::array<std::string, kRememberedFolders>& remembered,
                            const std::string& homeFolder);

}  // namespace cartulon
