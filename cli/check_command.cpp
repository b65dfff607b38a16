#include "cli/check_command.h"

#include <memory>
#include <optional>
#include <vector>

#include "cli/stderr_output.h"
#include "describe/os_tags.h"
#include "model/dir_structure.h"
#include "output/layout_rules.h"
#include "output/list_writer.h"
#include "platform/console.h"
#include "platform/disc_files.h"
#include "platform/message_sink.h"
#include "platform/paths.h"
#include "platform/program_path.h"
#include "platform/scratch_folder.h"
#include "shell/analysis.h"
#include "shell/check_report.h"
#include "shell/disc_check.h"
#include "shell/templates.h"

namespace cartulon {

namespace {

constexpr int kCheckFailed = 1;

}  // namespace

int RunCheckCommand(const CheckCommandOptions& options, const char* argv0) {
  StderrSink messages;
  const std::string scdPath = DiscRootPath(options.root);

  MasterFileLocations masters;
  masters.programFolder = RunningProgramFolder(argv0);
  masters.cdMasterPath = BuildCDMasterPath(options.root);
  if (masters.Resolve().empty()) {
    messages.Show({kApplicationTitle, masters.MissingMessage(), MessageKind::Error});
    return kCheckFailed;
  }

  ScratchFolder work;
  std::string error;
  if (!work.Create(&error)) {
    PrintError(error);
    return kCheckFailed;
  }
  // The command line has checked the root and the files named already.
  if (!PlaceTemplates(work.Path(), options.contactFile, options.rulesFile, "cartulon-cli",
                      messages)) {
    return kCheckFailed;
  }
  const std::string rulesPath = JoinPath(work.Path(), kRulesFileName);

  std::unique_ptr<DirStructure> tree = RunAnalysis(scdPath, options.depth, rulesPath, messages);
  if (tree == nullptr || tree->RootDir == nullptr) return kCheckFailed;

  CheckInputs inputs;
  inputs.rulesFilePath = rulesPath;
  inputs.masters = masters;
  const std::vector<Finding> findings = CheckDisc(*tree, inputs);

  // The rest of a list run up to the save: Generate, Compact, Generate.
  ListContext context;
  context.scdPath = scdPath;
  context.workingFolder = work.Path();
  context.masters = masters;
  Preview preview;
  const bool generated = PrepareInitialPreview(*tree, preview, context, messages);

  if (!WriteStandardOutput(options.json ? JsonReport(scdPath, findings) : TextReport(findings))) {
    PrintError("cannot write to standard output");
    return kCheckFailed;
  }
  if (!generated) return kCheckFailed;
  return CheckExitStatus(findings);
}

}  // namespace cartulon
