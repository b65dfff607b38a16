#include "cli/check_command.h"

#include <vector>

#include "cli/stderr_output.h"
#include "platform/console.h"
#include "platform/program_path.h"
#include "shell/check_report.h"
#include "shell/disc_check.h"
#include "shell/run_preparation.h"

namespace cartulon {

namespace {

constexpr int kCheckFailed = 1;

}  // namespace

int RunCheckCommand(const CheckCommandOptions& options, const char* argv0) {
  StderrSink messages;
  RunInputs inputs;
  inputs.root = options.root;
  inputs.depth = options.depth;
  inputs.rulesFile = options.rulesFile;
  inputs.contactFile = options.contactFile;
  inputs.programFolder = RunningProgramFolder(argv0);
  inputs.reporter = "cartulon-cli";
  // The steps of a list run up to the save, with the disc check of the tree
  // (before Compact): a master file the save could not use is a finding.
  // The command line has checked the root and the files named already.
  PreparedRun run(inputs, messages);
  if (!run.FindMasterFile() || !run.PlaceWorkFiles() || !run.Analyse(true)) return kCheckFailed;
  const bool generated = run.PrepareInitialPreview();

  const std::vector<Finding>& findings = run.Findings();
  const std::string& scdPath = run.Context().scdPath;
  if (!WriteStandardOutput(options.json ? JsonReport(scdPath, findings) : TextReport(findings))) {
    PrintError("cannot write to standard output");
    return kCheckFailed;
  }
  if (!generated) return kCheckFailed;
  return CheckExitStatus(findings);
}

}  // namespace cartulon
