#include "shell/run_preparation.h"

#include <utility>

#include "output/layout_rules.h"
#include "output/save_rules.h"
#include "platform/paths.h"
#include "shell/analysis.h"
#include "shell/templates.h"

namespace cartulon {

namespace {

// The folder of the master file as the check names folders: relative to
// the disc root with "\" delimiters when it lies below it ("Bin"), else as
// it is (the program's own folder).
std::string MasterFolderPath(const std::string& masterPath, const std::string& scdPath) {
  const std::string folder = StripTrailingDelimiter(FolderPart(masterPath));
  const std::string root = JoinPath(scdPath, "");
  if (scdPath.empty() || folder.compare(0, root.size(), root) != 0) return folder;
  std::string relative = folder.substr(root.size());
  for (char& c : relative) {
    if (IsPathDelimiter(c)) c = '\\';
  }
  return relative.empty() ? std::string(".") : relative;
}

MasterFileProblem Problem(bool unread, std::string message, const std::string& masterPath,
                          const std::string& scdPath, std::string finding) {
  MasterFileProblem problem;
  problem.unread = unread;
  problem.message = std::move(message);
  problem.finding.severity = Severity::Error;
  problem.finding.code = std::string(check_code::kMasterFile);
  problem.finding.path = MasterFolderPath(masterPath, scdPath);
  problem.finding.message = std::move(finding);
  return problem;
}

}  // namespace

std::optional<MasterFileProblem> ReadMasterFile(MasterFileLocations& masters,
                                                const std::string& scdPath) {
  if (!masters.reading) masters.Load();
  const std::string path = masters.Resolve();
  if (!masters.reading->problem.empty()) {
    const std::string& why = masters.reading->problem;
    return Problem(
        true, path + " " + why, path, scdPath,
        LastComponent(path) + " " + why + "; the master file is not read, so no list is made");
  }
  bool seriesBoard = false;
  std::string error;
  if (!DetectSeriesBoard(masters, &seriesBoard, &error)) {
    const std::string number = masters.Contents()->Get("ConditionTable", "Number", "");
    return Problem(false, error, path, scdPath,
                   LastComponent(path) + " gives Number=" + number +
                       " in [ConditionTable], which is not a whole number (" + error +
                       "); the list is not saved");
  }
  return std::nullopt;
}

AnalysedDisc AnalyseDisc(const std::string& scdPath, int depth, const std::string& rulesFilePath,
                         MasterFileLocations masters, bool check, MessageSink& messages) {
  AnalysedDisc analysed;
  const std::optional<MasterFileProblem> problem = ReadMasterFile(masters, scdPath);
  analysed.masters = std::move(masters);
  analysed.tree = RunAnalysis(scdPath, depth, rulesFilePath, messages);
  if (!check || analysed.tree == nullptr || analysed.tree->RootDir == nullptr) return analysed;
  if (problem) analysed.findings.push_back(problem->finding);
  if (problem && problem->unread) return analysed;
  std::vector<Finding> disc =
      CheckDisc(*analysed.tree, CheckInputs{rulesFilePath, analysed.masters});
  analysed.findings.insert(analysed.findings.end(), std::make_move_iterator(disc.begin()),
                           std::make_move_iterator(disc.end()));
  return analysed;
}

PreparedRun::PreparedRun(const RunInputs& inputs, MessageSink& messages)
    : inputs_(inputs), messages_(messages) {
  context_.scdPath = DiscRootPath(inputs.root);
  context_.settings = inputs.list;
}

bool PreparedRun::FindMasterFile() {
  // Looked up as at start-up: beside the program first, then in the disc's
  // Bin folder.
  context_.masters.programFolder = inputs_.programFolder;
  context_.masters.cdMasterPath = BuildCDMasterPath(inputs_.root);
  if (context_.masters.Resolve().empty()) {
    messages_.Show({kApplicationTitle, context_.masters.MissingMessage(), MessageKind::Error});
    return false;
  }
  return true;
}

std::optional<MasterFileProblem> PreparedRun::MasterProblem() {
  return ReadMasterFile(context_.masters, context_.scdPath);
}

bool PreparedRun::PlaceWorkFiles() {
  const bool placed = PlaceTemplatesInScratch(work_, inputs_.contactFile, inputs_.rulesFile,
                                              inputs_.reporter, messages_);
  context_.workingFolder = work_.Path();
  return placed;
}

bool PreparedRun::Analyse(bool check) {
  analysed_ =
      AnalyseDisc(context_.scdPath, inputs_.depth, JoinPath(context_.workingFolder, kRulesFileName),
                  context_.masters, check, messages_);
  context_.masters = analysed_.masters;
  return analysed_.tree != nullptr && analysed_.tree->RootDir != nullptr;
}

bool PreparedRun::PrepareInitialPreview() {
  return cartulon::PrepareInitialPreview(*analysed_.tree, preview_, context_, messages_);
}

}  // namespace cartulon
