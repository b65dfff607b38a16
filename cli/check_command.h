#pragma once
// cartulon-cli --check: the analysis, rules, classification, composition and
// Compact of a list run, with nothing written; what would make the list
// lose or misdescribe a package is reported on standard output.
#include <string>

namespace cartulon {

struct CheckCommandOptions {
  std::string root;
  int depth = 6;
  std::string rulesFile;    // empty: the carried FileList_Exp.ini
  std::string contactFile;  // empty: the carried TECHSUPP.ini
  bool json = false;        // one JSON object instead of text lines
};

// Runs the check and prints its report. Returns the exit status: 0 when no
// finding is an error, 1 when one is or the run itself fails (the reason
// goes to standard error).
int RunCheckCommand(const CheckCommandOptions& options, const char* argv0);

}  // namespace cartulon
