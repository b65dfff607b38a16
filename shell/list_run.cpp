#include "shell/list_run.h"

#include "describe/os_tags.h"
#include "output/save_target.h"
#include "platform/disc_files.h"
#include "platform/file_identity.h"
#include "platform/input_files.h"
#include "platform/paths.h"
#include "platform/target_names.h"
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

  // A file the run reads, named for the message that refuses it as a target.
  struct RunInput {
    std::string path;  // empty: not used by this run
    const char* what;
  };
  bool CheckTarget(const std::string& target, bool isList, const std::vector<RunInput>& inputs);

  const BatchSettings& settings_;
  MessageSink& messages_;
  InputFileRecord read_;  // every file the run reads, from the start
};

// Two targets that the writes would find to be one file: the same existing
// file (through a link, "./", another letter case), or, where they do not
// exist yet, one name in one folder, ignoring letter case as the write's
// lookup does.
bool SameTarget(const std::string& a, const std::string& b) {
  const std::string first = ExistingTargetPath(a);
  const std::string second = ExistingTargetPath(b);
  const std::optional<FileIdentity> firstFile = PathIdentity(first);
  const std::optional<FileIdentity> secondFile = PathIdentity(second);
  if (firstFile && secondFile) return *firstFile == *secondFile;
  if (firstFile || secondFile) return false;
  const auto folder = [](const std::string& path) {
    const std::string part = FolderPart(path);
    return FolderIdentity(part.empty() ? "." : part);
  };
  const std::optional<FileIdentity> firstFolder = folder(first);
  return firstFolder && firstFolder == folder(second) &&
         EqualsIgnoringAsciiCase(LastComponent(first), LastComponent(second));
}

// Only regular files (or links to them, replaced as links) are ever
// replaced, never a file the run reads; anything else is refused, with or
// without the permission to replace, and so is a path no file can be
// written at (a device name, a stream, one too long) and a read-only file;
// an existing file stops the run unless replacing is allowed. False when
// the target is refused.
bool BatchRun::CheckTarget(const std::string& target, bool isList,
                           const std::vector<RunInput>& inputs) {
  const std::string path = ExistingTargetPath(target);
  if (const std::string problem = TargetNameProblem(path); !problem.empty()) {
    Report(path + " " + problem + "; it is not written");
    return false;
  }
  const bool link = IsLink(path);
  const InputFileState state = CheckInputFile(path);
  if (!link && state == InputFileState::Missing) return true;
  if (const std::optional<FileIdentity> identity = PathIdentity(path)) {
    for (const RunInput& input : inputs) {
      if (!input.path.empty() && PathIdentity(input.path) == identity) {
        Report(path + " is " + input.what + " of this run; it is not replaced");
        return false;
      }
    }
  }
  // Standard output is the way to a device or a pipe.
  const std::string hint = isList ? " (--stdout prints the list instead)" : "";
  if (link && state == InputFileState::NotAFile) {
    Report(path + " is a link to something that is not a regular file; it is not replaced" + hint);
    return false;
  }
  if (!link && state == InputFileState::NotAFile) {
    Report(path + " is not a regular file; it is not replaced" + hint);
    return false;
  }
  if (!settings_.targets.replaceList) {
    Report(path + " already exists; use --force to replace it");
    return false;
  }
  if (IsReadOnlyTarget(path)) {
    Report(path + " is read-only; it is not replaced");
    return false;
  }
  return true;
}

BatchStatus BatchRun::Run() {
  const ListRunTargets& targets = settings_.targets;
  const std::string scdPath = DiscRootPath(settings_.root);
  const std::string listTarget = ListTargetPath(scdPath, targets);
  const std::string csvTarget = DriverCsvTarget(listTarget, targets);
  const bool toStream = static_cast<bool>(targets.listStream);

  // Every target is checked before anything is written, as the write will
  // find it (a name that differs in letter case only counts).
  std::vector<std::string> targetsToCheck;
  if (!toStream) targetsToCheck.push_back(listTarget);
  if (targets.writeCsv) targetsToCheck.push_back(csvTarget);
  if (targetsToCheck.size() == 2 && SameTarget(listTarget, csvTarget)) {
    Report("--output and --csv-output name the same file: " +
           EscapeControlCharacters(ExistingTargetPath(listTarget), EscapeAlso::NonAscii));
    return BatchStatus::BadUsage;
  }

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

  const std::vector<RunInput> knownInputs = {
      {run.Context().masters.Resolve(), "the master file"},
      {settings_.rulesFile, "the rules file"},
      {settings_.contactFile, "the contact file"},
  };
  bool stopped = false;
  if (!toStream && !CheckTarget(listTarget, true, knownInputs)) stopped = true;
  if (targets.writeCsv && !CheckTarget(csvTarget, false, knownInputs)) stopped = true;
  if (stopped) {
    Report("nothing written");
    return BatchStatus::Failed;
  }

  if (!run.PlaceWorkFiles() || !run.Analyse(false) || !run.PrepareInitialPreview()) {
    return BatchStatus::Failed;
  }
  Preview& preview = run.InitialPreview();
  const ListContext& context = run.Context();

  // The package files are known now: none of them is written over.
  for (const std::string& target : targetsToCheck) {
    const std::string path = ExistingTargetPath(target);
    const std::optional<FileIdentity> identity = PathIdentity(path);
    if (identity && read_.Holds(*identity)) {
      Report(path + " is read by this run (a file of the disc); it is not replaced");
      stopped = true;
    }
  }
  if (stopped) {
    Report("nothing written");
    return BatchStatus::Failed;
  }

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
  return JoinPath(scdPath, kFileListName);
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
