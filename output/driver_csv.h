#pragma once
// DriverInformation.csv: the WHQL and Beta driver lines of a written
// FileList.txt, split into vendor, name, version and supported systems.
#include <string>
#include <string_view>
#include <vector>

#include "output/list_columns.h"
#include "platform/message_sink.h"
#include "platform/text.h"  // SplitTextLines, for callers that split a list themselves
#include "platform/prompts.h"

namespace cartulon {

inline constexpr const char* kDriverCsvName = "DriverInformation.csv";

struct DriverInfo {
  std::string Vendor;
  std::string DriverName;
  std::string DriverVersion;
  std::string SupportedOS;
};

// Reads FileList.txt as lines (replacing the content of `lines`); false when
// it does not exist or cannot be read.
bool LoadDriverLines(const std::string& fileListPath, std::vector<std::string>& lines);

// The rows of the Drivers section (replacing the content of `rows`); false
// when no Drivers marker was found before the first end marker, or only on
// line 0. The lines are read at the columns of the Indent they were written
// with (`columns`), so the rows are the same whatever that Indent was.
bool BuildDriverRows(const std::vector<std::string>& lines, std::vector<std::string>& rows,
                     const ListColumns& columns = {});

DriverInfo ParseDriverLine(std::string_view line, const ListColumns& columns = {});
std::string ComposeDriverRow(std::string_view line, const ListColumns& columns = {});

// The rows as file bytes, CRLF after each.
std::string CsvBytes(const std::vector<std::string>& rows);

enum class ExportOutcome { Written, NoFileList, NoDrivers, Cancelled, Failed };

struct ExportRequest {
  std::string fileListPath;   // the FileList.txt to read
  std::string defaultTarget;  // DriverInformation.csv beside it
  std::string initialFolder;  // the save dialog's folder (the disc root)
  bool askBeforeReplace = true;
  std::string caption;        // UiText::ProgramCaption
  std::string overwriteText;  // UiText::OverwriteQuestion
  std::string noFileListText; // UiText::NoFileListError
  std::string noDriversText;  // UiText::NoDriversError
  int indent = kDefaultIndent;  // the name-column width the list was written with
};

// The whole export. Reports through `messages` a missing list, a missing
// Drivers section and a failed write (caption request.caption); asks before
// replacing an existing default target when askBeforeReplace is set, and
// offers the save dialog when the answer is No. `writtenPath` receives the
// file written.
ExportOutcome ExportDriverCsv(const ExportRequest& request, UserPrompts& prompts,
                              MessageSink& messages, std::string* writtenPath = nullptr);

// The export from the lines of a list already at hand (request.fileListPath
// is not read): the same steps from the Drivers section on.
ExportOutcome ExportDriverCsvFromLines(const std::vector<std::string>& lines,
                                       const ExportRequest& request, UserPrompts& prompts,
                                       MessageSink& messages, std::string* writtenPath = nullptr);

}  // namespace cartulon
