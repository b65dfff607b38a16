#include "shell/check_report.h"

#include <nlohmann/json.hpp>

#include "shell/package_check.h"

namespace cartulon {

FindingCounts CountFindings(const std::vector<Finding>& findings) {
  FindingCounts counts;
  for (const Finding& finding : findings) {
    if (finding.severity == Severity::Error) {
      ++counts.errors;
    } else {
      ++counts.warnings;
    }
  }
  return counts;
}

const char* SeverityName(Severity severity) {
  return severity == Severity::Error ? "error" : "warning";
}

std::string CountsText(const FindingCounts& counts) {
  return std::to_string(counts.errors) + " errors, " + std::to_string(counts.warnings) +
         " warnings";
}

std::string FindingLine(const Finding& finding) {
  return std::string(SeverityName(finding.severity)) + " " + finding.code + " " +
         EscapeControlCharacters(finding.path) + ": " + EscapeControlCharacters(finding.message);
}

std::string TextReport(const std::vector<Finding>& findings) {
  std::string text;
  for (const Finding& finding : findings) {
    text += FindingLine(finding);
    text += '\n';
  }
  text += CountsText(CountFindings(findings));
  text += '\n';
  return text;
}

namespace {

std::string HexBytes(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

}  // namespace

std::string JsonReport(const std::string& root, const std::vector<Finding>& findings,
                       unsigned codePage) {
  nlohmann::ordered_json report;
  report["root"] = root;
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const Finding& finding : findings) {
    nlohmann::ordered_json item;
    item["severity"] = SeverityName(finding.severity);
    item["code"] = finding.code;
    item["path"] = CodePageToUtf8(finding.path, codePage);
    item["path_bytes"] = HexBytes(finding.path);
    item["message"] = CodePageToUtf8(finding.message, codePage);
    list.push_back(std::move(item));
  }
  report["findings"] = std::move(list);
  const FindingCounts counts = CountFindings(findings);
  report["errors"] = counts.errors;
  report["warnings"] = counts.warnings;
  return report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

int CheckExitStatus(const std::vector<Finding>& findings) {
  return CountFindings(findings).errors > 0 ? 1 : 0;
}

}  // namespace cartulon
