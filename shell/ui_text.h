#pragma once
// The table of the 18 UI texts in English, Traditional Chinese and
// Simplified Chinese, and the language choice from the system language.
#include <cstddef>
#include <string>
#include <string_view>

namespace cartulon {

// The folder picker's title, in every language.
inline constexpr const char* kBrowseTitle = "Please Select the Working Directory!";

inline constexpr int kEnglishOffset = 0;
inline constexpr int kTraditionalChineseOffset = 1000;
inline constexpr int kSimplifiedChineseOffset = 5000;

// The 18 UI texts by what they are; the values are the identifiers of the
// string table (resources/ui_texts.tsv). English wording in quotes.
enum class UiText : int {
  SelectionCaption = 1,     // "Zolt Cartulon V4.0": the selection dialog's caption
  SelectionPrompt = 2,      // "Please Select Support CD Path :" (Label1)
  TxtFileButton = 3,        // "TXT File" (btnGen)
  CancelButton = 4,         // "Cancel" (btnCancel)
  BrowseButton = 5,         // "Browse" (btnBrowse)
  PreviewButton = 6,        // "Preview" (Button2)
  ProgramCaption = 7,       // "Zolt Cartulon": the progress window's caption and the
                            // caption of the save's and the CSV export's boxes
  AnalyzingNotice = 8,      // "Now Analyzing Support CD,Please wait..." (progress window)
  OverwriteQuestion = 9,    // "Do you want to overwrite the existed file ?"
  HistoryLabel = 10,        // "History Path:" (Label2)
  TxtCsvButton = 11,        // "TXT + CSV Files" (btnxls)
  TxtFileHint = 12,         // "Generate FileList.txt file Only"
  TxtCsvHint = 13,          // "Generate FileList.txt and DriverInformation.csv together"
  CsvExportSucceeded = 14,  // "Save Drivers Information to CSV file Succeed!" (never shown)
  BrowseHint = 15,          // "Browse the Support CD Path"
  CancelHint = 16,          // "Exit the Program"
  NoFileListError = 17,     // "No FileList.txt file found!" (CSV export)
  NoDriversError = 18,      // "No Drivers folder found, load drivers information into
                            // csv file fail!" (CSV export)
};

// The offset for a Windows language identifier: 1000 for Chinese (Taiwan,
// Hong Kong SAR, Macao SAR), 5000 for Chinese (PRC), 0 for every other.
int LanguageOffsetFor(unsigned languageId);

// The text in the language of the offset, at most 255 bytes (UTF-8 for the
// Chinese texts). Like a string-table lookup, the entry taken is number
// identifier + languageOffset (1-18, 1001-1018, 5001-5018); any other number
// has no text and gives an empty one.
std::string LoadUiText(UiText text, int languageOffset);

// The first maxBytes bytes of a UTF-8 text, shortened further so that no
// multi-byte sequence is cut in half.
std::string TruncateUtf8(std::string_view text, std::size_t maxBytes);

}  // namespace cartulon
