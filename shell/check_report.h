#pragma once
// The disc check's report: one text line per finding and a summary, or one
// JSON object for build scripts; and the exit status it gives.
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "shell/disc_check.h"

namespace cartulon {

struct FindingCounts {
  int errors = 0;
  int warnings = 0;
};

FindingCounts CountFindings(const std::vector<Finding>& findings);

// "error" or "warning".
const char* SeverityName(Severity severity);

// "N errors, M warnings".
std::string CountsText(const FindingCounts& counts);

// "SEVERITY CODE PATH: MESSAGE", control characters written as \xNN so that
// a finding is always one line.
std::string FindingLine(const Finding& finding);

// One line per finding, then the counts line; each line ends in "\n".
std::string TextReport(const std::vector<Finding>& findings);

// {"root": ..., "findings": [{"severity", "code", "path", "path_bytes",
// "message"}...], "errors": N, "warnings": M}, indented, ending in "\n".
// Paths and messages are text in `codePage` (the list's) and are written
// as UTF-8; "path_bytes" is the path's bytes as the list holds them, in
// lower-case hex, so that a finding leads back to its folder whatever the
// encoding. The root is the system's path as given; any of its bytes that
// are not UTF-8 become U+FFFD.
std::string JsonReport(const std::string& root, const std::vector<Finding>& findings,
                       unsigned codePage = RunCodePage());

// 0 when no finding is an error, 1 otherwise.
int CheckExitStatus(const std::vector<Finding>& findings);

}  // namespace cartulon
