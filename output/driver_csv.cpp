// DriverInformation.csv from the text of a written FileList.txt.
//
// The driver lines are taken apart by fixed substring arithmetic that relies
// on the list's layout: a 25-byte name column, "- " at positions 26 and 27,
// the description, and a 10-byte status ending "---(WHQL)." or "---(Beta).".
// Positions count from 1; a substring starting past the end, or of zero or
// negative length, is empty, and one running past the end stops there.
#include "output/driver_csv.h"

#include <cstddef>

#include "output/list_writer.h"
#include "platform/disc_files.h"
#include "platform/paths.h"

namespace cartulon {

namespace {

// 1-based position of the first occurrence of `needle`, 0 when absent.
long long Pos(std::string_view hay, std::string_view needle) {
  const std::size_t at = hay.find(needle);
  return at == std::string_view::npos ? 0 : static_cast<long long>(at) + 1;
}

// `count` bytes from 1-based position `start`.
std::string_view Copy(std::string_view text, long long start, long long count) {
  if (count <= 0) return {};
  if (start < 1) start = 1;
  const auto index = static_cast<std::size_t>(start - 1);
  if (index >= text.size()) return {};
  return text.substr(index, static_cast<std::size_t>(count));
}

const std::string& DriversMarker() {
  static const std::string marker = "-DRIVERS" + std::string(17, ' ');
  return marker;
}

bool IsEndMarker(const std::string& upper) {
  static const std::string linuxDrivers = "-LINUXDRIVERS" + std::string(12, ' ') + "- SUPPORT LINUX DRIVERS.";
  static const std::string manual = "-MANUAL" + std::string(18, ' ');
  static const std::string software = "-SOFTWARE" + std::string(18, ' ');
  return upper == linuxDrivers || upper == manual || upper == software;
}

}  // namespace

bool LoadDriverLines(const std::string& fileListPath, std::vector<std::string>& lines) {
  if (!FileExists(fileListPath)) return false;
  // A list that exists but cannot be read counts as missing.
  const std::optional<std::string> bytes = ReadFileBytes(fileListPath);
  if (!bytes) return false;
  lines = SplitTextLines(*bytes);
  return true;
}

bool BuildDriverRows(const std::vector<std::string>& lines, std::vector<std::string>& rows) {
  rows.clear();
  const std::size_t n = lines.size();
  std::size_t start = 0;
  bool found = false;
  std::size_t end = n;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string upper = AsciiUpper(lines[i]);
    if (upper == DriversMarker()) {
      start = i;  // a later marker replaces an earlier one
      found = true;
    } else if (IsEndMarker(upper)) {
      end = i;
      break;
    }
  }
  // A marker on line 0 does not open the section.
  if (!found || start == 0) return false;
  for (std::size_t i = start; i < end; ++i) {
    const std::string& line = lines[i];
    if (line.find("---(WHQL)") != std::string::npos || line.find("---(Beta)") != std::string::npos) {
      rows.push_back(ComposeDriverRow(line));
    }
  }
  return true;
}

DriverInfo ParseDriverLine(std::string_view line) {
  const auto n = static_cast<long long>(line.size());
  const long long d = Pos(line, "- ");
  // The description between "- " and the 10-byte status ending.
  const std::string_view s = Copy(line, d + 2, n - 37);

  DriverInfo info;
  const std::size_t space = s.find(' ');
  info.Vendor = std::string(space == std::string_view::npos ? s : s.substr(0, space));

  const long long f = Pos(s, " for Windows ");
  info.SupportedOS = std::string(Copy(s, f + 13, 100));

  // v: the number of bytes before the first "V" followed by a digit; 0 when
  // there is none or it opens the description.
  long long v = 0;
  for (std::size_t j = 0; j + 1 < s.size(); ++j) {
    if (s[j] == 'V' && s[j + 1] >= '0' && s[j + 1] <= '9') {
      v = static_cast<long long>(j);
      break;
    }
  }
  if (v > 0) info.DriverVersion = std::string(Copy(s, v + 2, f - v - 2));

  const std::string_view title = Copy(s, 1, v - 1);
  info.DriverName = std::string(Copy(title, static_cast<long long>(info.Vendor.size()) + 2, 60));
  return info;
}

std::string ComposeDriverRow(std::string_view line) {
  const DriverInfo info = ParseDriverLine(line);
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
  if (!BuildDriverRows(lines, rows)) {
    messages.Show(Message{request.caption, request.noDriversText, MessageKind::Error});
    return ExportOutcome::NoDrivers;
  }

  std::string target = request.defaultTarget;
  // Without askBeforeReplace the caller has already allowed replacing an
  // existing file.
  if (request.askBeforeReplace && FileExists(target) &&
      !prompts.AskYesNo(request.caption, request.overwriteText + "\n" + target)) {
    const std::optional<SaveDialogChoice> choice =
        prompts.AskSaveFile(request.initialFolder, kSaveDialogFilter);
    if (!choice) return ExportOutcome::Cancelled;
    target = ApplySaveDialogExtension(*choice);
  }

  std::string reason;
  if (!WriteFileAtomically(target, CsvBytes(rows), &reason)) {
    messages.Show(Message{request.caption, "Cannot create file \"" + target + "\". " + reason,
                          MessageKind::Error});
    return ExportOutcome::Failed;
  }
  if (writtenPath) *writtenPath = target;
  return ExportOutcome::Written;
}

}  // namespace cartulon
