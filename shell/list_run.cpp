#include "shell/list_run.h"

#include "describe/os_tags.h"
#include "output/save_target.h"
#include "platform/disc_files.h"
#include "platform/file_identity.h"
#include "platform/input_files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/run_preparation.h"
#include "shell/ui_text.h"

namespace cartulon {

namespace {

// The batch run asks nobody: a question means that a target appeared while
// the run was going on. The answer is No and the save dialog is cancelled,
// so nothing is replaced.
class RefusingPrompts : public UserPrompts {
 public:
  bool AskYesNo(const std::string&, const std::string&) override {
    asked = true;
    return false;
  }
  std::optional<SaveDialogChoice> AskSaveFile(const std::string&, const std::string&) override {
    asked = true;
    return std::nullopt;
  }
  bool asked = false;
};

class BatchRun {
 public:
  BatchRun(const BatchSettings& settings, MessageSink& messages)
      : settings_(settings), messages_(messages) {}

  BatchStatus Run();

 private:
  void Report(const std::string& text) {
    messages_.Show({settings_.reporter, text, MessageKind::Error});
  }

  const BatchSettings& settings_;
  MessageSink& messages_;
};

BatchStatus BatchRun::Run() {
  const ListRunTargets& targets = settings_.targets;
  const std::string scdPath = StripTrailingDelimiter(settings_.root);
  const std::string listTarget = ListTargetPath(scdPath, targets);
  const std::string csvTarget = DriverCsvTarget(listTarget, targets);
  const bool toStream = static_cast<bool>(targets.listStream);

  const RunInputs inputs{settings_.root,        settings_.depth,         settings_.rulesFile,
                         settings_.contactFile, settings_.programFolder, settings_.reporter,
                         settings_.list};
  PreparedRun run(inputs, messages_);
  if (!run.FindMasterFile()) return BatchStatus::Failed;
  // A master file that cannot serve the save stops the run before anything
  // is read from the disc.
  if (const std::optional<MasterFileProblem> problem = run.MasterProblem()) {
    messages_.Show({kApplicationTitle, problem->message, MessageKind::Error});
    return BatchStatus::Failed;
  }

  // Every target is checked before anything is written. Only regular files
  // (or links, replaced as links) are ever replaced: anything else is
  // refused, with or without the permission to replace; an existing file
  // stops the run unless replacing is allowed. A target is looked up as the
  // write will find it, so a name that differs in letter case only counts.
  std::vector<std::string> targetsToCheck;
  if (!toStream) targetsToCheck.push_back(listTarget);
  if (targets.writeCsv) targetsToCheck.push_back(csvTarget);
  bool stopped = false;
  for (const std::string& target : targetsToCheck) {
    const std::string path = ExistingTargetPath(target);
    // A link is replaced as a link, whatever it leads to.
    const bool link = IsLink(path);
    const InputFileState state = CheckInputFile(path);
    if (!link && state == InputFileState::Missing) continue;
    if (!link && state == InputFileState::NotAFile) {
      Report(path + " is not a regular file; it is not replaced");
      stopped = true;
    } else if (!targets.replaceList) {
      Report(path + " already exists; use --force to replace it");
      stopped = true;
    }
  }
  if (stopped) {
    Report("nothing written");
    return BatchStatus::Failed;
  }

  if (!run.PlaceWorkFiles() || !run.Analyse(false) || !run.PrepareInitialPreview()) {
    return BatchStatus::Failed;
  }
  Preview& preview = run.InitialPreview();
  const ListContext& context = run.Context();

  RefusingPrompts prompts;
  SaveRuleFlags flags;
  const ListRunResult result = SaveListAndCsv(preview.map, preview.titleLines, flags, context,
                                              targets, kEnglishOffset, prompts, messages_);
  if (result.Succeeded()) return BatchStatus::Succeeded;
  if (prompts.asked) {
    const std::string& target = result.list != SaveOutcome::Written ? listTarget : csvTarget;
    Report(ExistingTargetPath(target) + " appeared during the run; not replaced");
  }
  return BatchStatus::Failed;
}

}  // namespace

bool ListRunResult::Succeeded() const {
  return list == SaveOutcome::Written && (!csv || *csv == ExportOutcome::Written);
}

std::string ListTargetPath(const std::string& scdPath, const ListRunTargets& targets) {
  if (!targets.list.empty()) return targets.list;
  std::string target = scdPath;
  target += kPathDelimiter;
  target += kFileListName;
  return target;
}

std::string DriverCsvTarget(const std::string& listPath, const ListRunTargets& targets) {
  if (!targets.csv.empty()) return targets.csv;
  return JoinPath(FolderPart(listPath), kDriverCsvName);
}

ListRunResult SaveListAndCsv(PreviewMap& entries, const std::vector<std::string>& titleLines,
                             SaveRuleFlags& flags, const ListContext& context,
                             const ListRunTargets& targets, int languageOffset,
                             UserPrompts& prompts, MessageSink& messages) {
  ListRunResult result;
  const std::string caption = LoadUiText(UiText::ProgramCaption, languageOffset);
  const std::string replaceQuestion = LoadUiText(UiText::OverwriteQuestion, languageOffset);

  std::string streamed;
  if (targets.listStream) {
    std::string error;
    if (!RewriteListForSave(entries, flags, context.masters,
                            ListColumns::ForIndent(context.settings.indent), &error)) {
      messages.Show({kApplicationTitle, error, MessageKind::Error});
      return result;
    }
    streamed = AssembleFileList(titleLines, entries.PreviewLines, BuildFooter(context.settings));
    if (!targets.listStream(streamed)) return result;
    result.list = SaveOutcome::Written;
  } else {
    SaveRequest request;
    request.outputMode = targets.replaceList ? 2 : 1;
    request.caption = caption;
    request.overwriteText = replaceQuestion;
    request.removeTemplates = targets.removeTemplates;
    request.targetPath = targets.list;
    result.list = SaveFileList(entries, titleLines, flags, context, request, prompts, messages,
                               &result.listWritten);
  }
  if (result.list != SaveOutcome::Written || !targets.writeCsv) return result;

  ExportRequest request;
  request.fileListPath =
      result.listWritten.empty() ? ListTargetPath(context.scdPath, targets) : result.listWritten;
  request.defaultTarget = DriverCsvTarget(request.fileListPath, targets);
  request.initialFolder = context.scdPath;
  request.askBeforeReplace = targets.askBeforeReplacingCsv;
  request.caption = caption;
  request.overwriteText = replaceQuestion;
  request.noFileListText = LoadUiText(UiText::NoFileListError, languageOffset);
  request.noDriversText = LoadUiText(UiText::NoDriversError, languageOffset);
  request.indent = context.settings.indent;
  result.csv = targets.listStream
                   ? ExportDriverCsvFromLines(SplitTextLines(streamed), request, prompts, messages)
                   : ExportDriverCsv(request, prompts, messages);
  return result;
}

BatchStatus RunBatch(const BatchSettings& settings, MessageSink& messages) {
  return BatchRun(settings, messages).Run();
}

}  // namespace cartulon
