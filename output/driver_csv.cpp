// DriverInformation.csv from the text of a written FileList.txt.
//
// The driver lines are taken apart by fixed substring arithmetic that relies
// on the list's layout (output/list_columns.h): the name column, "- ", the
// description, and the status ending "---(WHQL)." or "---(Beta).".
// Positions count from 1; a substring starting past the end, or of zero or
// negative length, is empty, and one running past the end stops there.
#include "output/driver_csv.h"

#include <cstddef>

#include "output/list_columns.h"
#include "output/save_target.h"
#include "platform/disc_files.h"

namespace cartulon {

namespace {

// The longest DriverName and SupportedOS fields.
constexpr long long kDriverNameLimit = 60;
constexpr long long kSupportedOsLimit = 100;

constexpr std::string_view kDash = "- ";
constexpr std::string_view kForWindows = " for Windows ";

// The lines that open and end the Drivers section, upper-cased, as the
// writer lays them out at the list's Indent.
struct SectionMarkers {
  explicit SectionMarkers(const ListColumns& columns)
      : drivers(columns.Padded("-DRIVERS")),
        linuxDrivers(columns.Padded("-LINUXDRIVERS") + "- SUPPORT LINUX DRIVERS."),
        manual(columns.Padded("-MANUAL")),
        // Two blanks more than the padding: a SOFTWARE line padded to the
        // name column does not end the section.
        software(columns.Padded("-SOFTWARE") + "  ") {}

  bool IsEnd(const std::string& upper) const {
    return upper == linuxDrivers || upper == manual || upper == software;
  }

  std::string drivers, linuxDrivers, manual, software;
};

}  // namespace

bool LoadDriverLines(const std::string& fileListPath, std::vector<std::string>& lines) {
  if (!FileExists(fileListPath)) return false;
  // A list that exists but cannot be read counts as missing.
  const std::optional<std::string> bytes = ReadFileBytes(fileListPath);
  if (!bytes) return false;
  lines = SplitTextLines(*bytes);
  return true;
}

bool BuildDriverRows(const std::vector<std::string>& lines, std::vector<std::string>& rows,
                     const ListColumns& columns) {
  rows.clear();
  const SectionMarkers markers(columns);
  const std::size_t n = lines.size();
  std::size_t start = 0;
  bool found = false;
  std::size_t end = n;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string upper = AsciiUpper(lines[i]);
    if (upper == markers.drivers) {
      start = i;  // a later marker replaces an earlier one
      found = true;
    } else if (markers.IsEnd(upper)) {
      end = i;
      break;
    }
  }
  // A marker on line 0 does not open the section.
  if (!found || start == 0) return false;
  for (std::size_t i = start; i < end; ++i) {
    const std::string& line = lines[i];
    if (line.find("---(WHQL)") != std::string::npos || line.find("---(Beta)") != std::string::npos) {
      rows.push_back(ComposeDriverRow(line, columns));
    }
  }
  return true;
}

DriverInfo ParseDriverLine(std::string_view line, const ListColumns& columns) {
  const long long n = TextLength(line);
  const long long d = FindPosition(line, kDash);
  // The description between "- " and the status ending, where the line
  // keeps to the columns.
  const std::string_view s = CopyAt(line, d + TextLength(kDash),
                                    n - (columns.DescriptionColumn() - 1) - kDriverStatusLength);

  DriverInfo info;
  const std::size_t space = s.find(' ');
  info.Vendor = std::string(space == std::string_view::npos ? s : s.substr(0, space));

  const long long f = FindPosition(s, kForWindows);
  info.SupportedOS = std::string(CopyAt(s, f + TextLength(kForWindows), kSupportedOsLimit));

  // v: the number of bytes before the first "V" followed by a digit; 0 when
  // there is none or it opens the description.
  long long v = 0;
  for (std::size_t j = 0; j + 1 < s.size(); ++j) {
    if (s[j] == 'V' && s[j + 1] >= '0' && s[j + 1] <= '9') {
      v = static_cast<long long>(j);
      break;
    }
  }
  // The version runs from the byte after that "V" (at v + 1) up to " for
  // Windows "; the title ends before the blank in front of the "V".
  if (v > 0) info.DriverVersion = std::string(CopyAt(s, v + 2, f - v - 2));

  const std::string_view title = CopyAt(s, 1, v - 1);
  // The name follows the vendor and one blank.
  info.DriverName =
      std::string(CopyAt(title, TextLength(info.Vendor) + 2, kDriverNameLimit));
  return info;
}

std::string ComposeDriverRow(std::string_view line, const ListColumns& columns) {
  const DriverInfo info = ParseDriverLine(line, columns);
  return info.Vendor + "," + info.DriverName + "," + info.DriverVersion + "," + info.SupportedOS;
}

std::string CsvBytes(const std::vector<std::string>& rows) {
  std::string bytes;
  for (const std::string& row : rows) {
    bytes += row;
    bytes += "\r\n";
  }
  return bytes;
}

ExportOutcome ExportDriverCsv(const ExportRequest& request, UserPrompts& prompts,
                              MessageSink& messages, std::string* writtenPath) {
  std::vector<std::string> lines;
  if (!LoadDriverLines(request.fileListPath, lines)) {
    messages.Show(Message{request.caption, request.noFileListText, MessageKind::Error});
    return ExportOutcome::NoFileList;
  }
  return ExportDriverCsvFromLines(lines, request, prompts, messages, writtenPath);
}

ExportOutcome ExportDriverCsvFromLines(const std::vector<std::string>& lines,
                                       const ExportRequest& request, UserPrompts& prompts,
                                       MessageSink& messages, std::string* writtenPath) {
  std::vector<std::string> rows;
  if (!BuildDriverRows(lines, rows, ListColumns::ForIndent(request.indent))) {
    messages.Show(Message{request.caption, request.noDriversText, MessageKind::Error});
    return ExportOutcome::NoDrivers;
  }

  SaveTarget target;
  target.path = request.defaultTarget;
  // Without askBeforeReplace the caller has already allowed replacing an
  // existing file.
  target.askBeforeReplace = request.askBeforeReplace;
  target.caption = request.caption;
  target.overwriteText = request.overwriteText;
  target.dialogFolder = request.initialFolder;
  target.failureCaption = request.caption;
  switch (WriteToTarget(target, CsvBytes(rows), prompts, messages, writtenPath)) {
    case SaveOutcome::Declined:
      return ExportOutcome::Cancelled;
    case SaveOutcome::Failed:
      return ExportOutcome::Failed;
    case SaveOutcome::Written:
      break;
  }
  return ExportOutcome::Written;
}

}  // namespace cartulon
