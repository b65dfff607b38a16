#include "desktop/desktop_session.h"

#include <algorithm>
#include <utility>

#include "model/check_states.h"
#include "output/layout_rules.h"
#include "output/list_columns.h"
#include "platform/code_page.h"
#include "platform/disc_files.h"
#include "platform/paths.h"
#include "platform/system_language.h"
#include "platform/whole_numbers.h"
#include "shell/analysis.h"
#include "shell/check_report.h"
#include "desktop/remembered_roots.h"
#include "shell/list_run.h"
#include "shell/templates.h"

namespace cartulon {

// Questions and the save dialog of the main window.
class DesktopSession::ViewPrompts : public UserPrompts {
 public:
  explicit ViewPrompts(DesktopView& view) : view_(view) {}
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    return view_.AskYesNo(caption, text);
  }
  std::optional<SaveDialogChoice> AskSaveFile(const std::string& initialFolder,
                                              const std::string& filter) override {
    return view_.AskSaveFile(initialFolder, filter);
  }

 private:
  DesktopView& view_;
};

DesktopSession::DesktopSession(DesktopView& view, AnalysisWorker& worker, SettingsStore& store,
                               StartupEnvironment env, DesktopOptions options)
    : view_(view),
      worker_(worker),
      store_(store),
      env_(std::move(env)),
      options_(std::move(options)),
      messages_(view),
      languageOffset_(LanguageOffsetFor(SystemDefaultLanguageId())) {
  settings_.resize(static_cast<std::size_t>(Setting::Year) + 1);
  settings_[static_cast<std::size_t>(Setting::Depth)] = std::to_string(kStartupDepth);
  settings_[static_cast<std::size_t>(Setting::Expand)] = "2";
  settings_[static_cast<std::size_t>(Setting::Indent)] = std::to_string(kDefaultIndent);
  settings_[static_cast<std::size_t>(Setting::GroupDepth)] = "2";
  settings_[static_cast<std::size_t>(Setting::Month)] = std::to_string(env_.today.month);
  settings_[static_cast<std::size_t>(Setting::Day)] = std::to_string(env_.today.day);
  settings_[static_cast<std::size_t>(Setting::Year)] = std::to_string(env_.today.year);
}

DesktopSession::~DesktopSession() {
  if (analysing_) {
    // The worker may be waiting for a message to be shown: let it go.
    workerMessages_.Silence();
    worker_.Take();
  }
}

const std::string& DesktopSession::SettingText(Setting setting) const {
  return settings_[static_cast<std::size_t>(setting)];
}

// --- start-up -------------------------------------------------------------

bool DesktopSession::PlaceTemplates() {
  // The templates go into a private folder, never into the working folder:
  // a user's own files there stay as they are, and a read-only folder (a
  // mounted disc image) does not stop the program.
  return PlaceTemplatesInScratch(scratch_, options_.contactFile, options_.rulesFile,
                                 kApplicationTitle, messages_);
}

void DesktopSession::RemoveTemplates() { scratch_.Remove(); }

void DesktopSession::End() {
  if (ended_) return;
  ended_ = true;
  RemoveTemplates();
  view_.End();
}

void DesktopSession::Start() {
  if (!PlaceTemplates()) {
    End();
    return;
  }
  for (std::size_t s = 0; s < settings_.size(); ++s) {
    view_.ShowSetting(static_cast<Setting>(s), settings_[s]);
  }
  const std::optional<SelectionResult> chosen = ChooseRoot();
  if (!chosen) return;
  choice_ = chosen->choice;
  masters_ = MasterFileLocations{env_.programFolder, BuildCDMasterPath(chosen->pathText)};
  // An empty path box names no disc: it gets the not-found message.
  if (chosen->pathText.empty() || masters_.Resolve().empty()) {
    messages_.Show({kApplicationTitle, masters_.MissingMessage(), MessageKind::Error});
    End();
    return;
  }
  StartAnalysis(chosen->pathText, kStartupDepth);
}

std::optional<SelectionResult> DesktopSession::ChooseRoot() {
  SelectionRequest request = SelectionRequestFor(store_, env_.programFolder, options_.root);
  while (true) {
    SelectionResult result = view_.RunSelectionDialog(request);
    const std::string& path = result.pathText;
    // A folder that is not there is refused before anything is remembered;
    // the dialog comes back with the text as typed.
    if (result.choice != RunChoice::Cancel && !path.empty() && !FolderExists(path)) {
      const std::string text = FileExists(path) ? path + " is not a folder."
                                                : "The folder " + path + " does not exist.";
      messages_.Show({kApplicationTitle, text, MessageKind::Error});
      request.proposedRoot = path;
      continue;
    }
    // Every other close records the path box, Cancel included.
    RememberRoot(store_, request.remembered, path);
    if (result.choice == RunChoice::Cancel) {
      End();
      return std::nullopt;
    }
    return result;
  }
}

// --- analysis -------------------------------------------------------------

void DesktopSession::StartAnalysis(const std::string& path, int depth) {
  analysisRoot_ = DiscRootPath(path);
  // One analysis at a time, also when the progress window was closed early.
  analysing_ = true;
  view_.EnableAnalysisCommand(false);
  // Every analysis reads the master file afresh.
  MasterFileLocations masters = masters_;
  masters.reading = nullptr;
  worker_.Start(AnalysisJob{analysisRoot_, depth, JoinPath(scratch_.Path(), kRulesFileName),
                            std::move(masters)},
                workerMessages_);
  view_.ShowProgress();
}

void DesktopSession::TimerTick() {
  // A message box shown from here runs its own loop, in which the timer may
  // fire again.
  if (ticking_) return;
  ticking_ = true;
  workerMessages_.Deliver(messages_);
  if (analysing_ && worker_.WaitFor(1)) {
    workerMessages_.Deliver(messages_);
    AnalysisResult result = worker_.Take();
    analysing_ = false;
    view_.EnableAnalysisCommand(true);
    AfterAnalysis(std::move(result));
    view_.CloseProgress();
  } else if (!analysing_) {
    view_.CloseProgress();
  }
  ticking_ = false;
}

void DesktopSession::AfterAnalysis(AnalysisResult result) {
  if (result.tree == nullptr || result.tree->RootDir == nullptr) {
    // Nothing was built (a negative depth, or an analysis that failed): the
    // tree shown stays. A run whose window never opened ends here.
    if (!mainWindowShown_) End();
    return;
  }
  scdPath_ = analysisRoot_;
  // Generate and Save answer from the reading of this analysis.
  masters_ = std::move(result.masters);
  // The preview's line map and the selection point into the tree being
  // replaced; the view lets go of it before it goes.
  preview_.map.Clear();
  selected_ = nullptr;
  selectedLine_ = -1;
  DirStructure::SortChildren(result.tree->RootDir);
  view_.BindTree(nullptr);
  tree_ = std::move(result.tree);

  // Generate and Compact (which generates again) run before the view shows
  // the tree, so that it draws the final check states once.
  int expandLevel = 0;
  const bool expandRead = ReadSetting(Setting::Expand, &expandLevel);
  std::optional<ListContext> context;
  bool complete = false;
  if (expandRead) {
    context = CurrentContext();
    if (context) complete = PrepareInitialPreview(*tree_, preview_, *context, messages_);
  }
  view_.BindTree(tree_.get());
  ShowFindings(std::move(result.findings));
  if (!expandRead || !context) return;
  view_.ExpandToLevel(expandLevel);
  view_.ShowTitleLines(preview_.titleLines);
  if (complete) ShowEntryLines();

  switch (choice_) {
    case RunChoice::Preview:
      if (!mainWindowShown_) {
        mainWindowShown_ = true;
        view_.ShowMainWindow();
      }
      break;
    case RunChoice::Txt:
      // The run ends whether the user saved or declined.
      WriteFiles(false);
      break;
    case RunChoice::TxtAndCsv:
      outputMode_ = 2;
      WriteFiles(true);
      break;
    case RunChoice::Cancel:
      break;
  }
}

void DesktopSession::ChooseDiscFolder() {
  if (analysing_) return;
  const std::string folder = view_.PickFolder(kBrowseTitle);
  if (folder.empty()) return;
  // The picked folder becomes the disc root only with the tree of its
  // analysis: a refused depth keeps the tree shown and the root it belongs to.
  int depth = 0;
  if (!ReadSetting(Setting::Depth, &depth)) return;
  StartAnalysis(folder, depth);
}

void DesktopSession::Reanalyse() {
  if (analysing_ || scdPath_.empty()) return;
  int depth = 0;
  if (!ReadSetting(Setting::Depth, &depth)) return;
  StartAnalysis(scdPath_, depth);
}

// --- the list ---------------------------------------------------------------

bool DesktopSession::ReadSetting(Setting setting, int* value) {
  const std::string& text = SettingText(setting);
  if (setting == Setting::Indent && text.empty()) {
    *value = kDefaultIndent;
    return true;
  }
  if (const std::optional<std::int32_t> parsed = ParseSettingNumber(text)) {
    *value = *parsed;
    return true;
  }
  messages_.Show({kApplicationTitle, NotAnIntegerMessage(text), MessageKind::Error});
  return false;
}

std::optional<ListContext> DesktopSession::CurrentContext() {
  ListContext context;
  context.scdPath = scdPath_;
  context.workingFolder = scratch_.Path();
  context.masters = masters_;
  if (!ReadSetting(Setting::Indent, &context.settings.indent)) return std::nullopt;
  if (!ReadSetting(Setting::GroupDepth, &context.settings.groupDepth)) return std::nullopt;
  context.settings.month = SettingText(Setting::Month);
  context.settings.day = SettingText(Setting::Day);
  context.settings.year = SettingText(Setting::Year);
  return context;
}

void DesktopSession::Generate() {
  if (tree_ == nullptr || tree_->RootDir == nullptr) return;
  const std::optional<ListContext> context = CurrentContext();
  if (!context) return;
  const bool complete = GeneratePreview(*tree_, preview_, *context, messages_);
  view_.ShowTitleLines(preview_.titleLines);
  // When the contact block could not be read the entry lines stay as they
  // were.
  if (complete) ShowEntryLines();
}

void DesktopSession::ShowEntryLines() {
  shownLines_ = preview_.map.PreviewLines;
  view_.ShowEntryLines(shownLines_);
  SelectLineOfItem();
}

void DesktopSession::Compact() {
  if (tree_ == nullptr || tree_->RootDir == nullptr) return;
  ShowChecks(CompactChecks(tree_->RootDir));
}

SaveOutcome DesktopSession::Save() {
  if (tree_ == nullptr || tree_->RootDir == nullptr) return SaveOutcome::Declined;
  const std::optional<ListContext> context = CurrentContext();
  if (!context) return SaveOutcome::Failed;
  SaveRequest request;
  request.outputMode = outputMode_;
  request.caption = Text(UiText::ProgramCaption);
  request.overwriteText = Text(UiText::OverwriteQuestion);
  // A preview keeps the templates until its window closes, so that later
  // previews and saves keep their heading and contact block.
  request.removeTemplates = choice_ != RunChoice::Preview;
  ViewPrompts prompts(view_);
  const SaveOutcome outcome = SaveFileList(preview_.map, preview_.titleLines, saveFlags_,
                                           *context, request, prompts, messages_);
  // The rules rewrote the lines and their nodes: the preview shows them
  // until the next Generate.
  shownLines_ = preview_.map.PreviewLines;
  view_.ShowEntryLines(shownLines_);
  view_.SelectLine(selectedLine_);
  return outcome;
}

void DesktopSession::WriteFiles(bool withCsv) {
  const std::optional<ListContext> context = CurrentContext();
  if (context) {
    ListRunTargets targets;
    targets.replaceList = outputMode_ == 2;
    targets.writeCsv = withCsv;
    ViewPrompts prompts(view_);
    SaveListAndCsv(preview_.map, preview_.titleLines, saveFlags_, *context, targets,
                   languageOffset_, prompts, messages_);
    shownLines_ = preview_.map.PreviewLines;
    view_.ShowEntryLines(shownLines_);
  }
  End();
}

void DesktopSession::Close() { End(); }

// --- check states -------------------------------------------------------------

void DesktopSession::ShowChecks(const std::vector<DirNode*>& changed) {
  if (!changed.empty()) view_.ShowCheckStates(changed);
  Generate();
}

void DesktopSession::CheckClicked(DirNode* node) {
  if (node == nullptr) return;
  // A refused click changes nothing and regenerates nothing.
  const std::vector<DirNode*> changed = ToggleCheck(node);
  if (!changed.empty()) ShowChecks(changed);
}

void DesktopSession::CheckAll() {
  if (selected_ == nullptr) return;
  ShowChecks(cartulon::CheckAll(selected_));
}

void DesktopSession::UncheckAll() {
  if (selected_ == nullptr) return;
  ShowChecks(cartulon::UncheckAll(selected_));
}

// --- selection ----------------------------------------------------------------

DirNode* DesktopSession::LineNode(int line) const {
  // Null for a blank line, for no line and for a line past the end of the
  // map (a save may have changed the count).
  if (line < 0 || line >= static_cast<int>(preview_.map.LineNodes.size())) return nullptr;
  return preview_.map.LineNodes[static_cast<std::size_t>(line)];
}

void DesktopSession::ShowRecord(const DirNode* node) {
  DetailTexts texts;
  if (node != nullptr && node->Data != nullptr) {
    texts.title = node->Data->Title;
    texts.version = node->Data->Version;
    texts.os = SupportedOSText(*node->Data, masters_);
  }
  view_.ShowDetail(texts);
}

void DesktopSession::ItemSelected(DirNode* node) {
  selected_ = node;
  ShowRecord(node);
  if (node != nullptr) SelectLineOfItem();
  ShowItemFindings();
}

void DesktopSession::SelectNode(DirNode* node) {
  view_.SelectItem(node);
  ItemSelected(node);
}

void DesktopSession::SelectLineOfItem() {
  selectedLine_ = preview_.map.SelectLineOfItem(selected_);
  view_.SelectLine(selectedLine_);
}

void DesktopSession::LineClicked(int line) {
  selectedLine_ = line;
  DirNode* node = LineNode(line);
  if (node == nullptr) return;
  if (selected_ != node) SelectNode(node);
}

void DesktopSession::LinePressed(int line) {
  LineClicked(line);
  // The selection may have moved to the item's first line.
  DirNode* node = LineNode(selectedLine_);
  if (node == nullptr) return;
  if (selectedLine_ > 0 && LineNode(selectedLine_ - 1) == node) return;
  if (selected_ != nullptr && selected_->Data != nullptr && selected_->Data->Enabled) {
    ShowRecord(selected_);
  }
}

// The double click only selects the line's item, as a click does.
void DesktopSession::LineDoubleClicked(int line) { LineClicked(line); }

// --- settings -----------------------------------------------------------------

void DesktopSession::SettingEdited(Setting setting, const std::string& text) {
  settings_[static_cast<std::size_t>(setting)] = text;
}

void DesktopSession::IndentStep(int value) {
  if (value < 0) return;
  settings_[static_cast<std::size_t>(Setting::Indent)] = std::to_string(value);
  view_.ShowSetting(Setting::Indent, SettingText(Setting::Indent));
  Generate();
}

void DesktopSession::GroupDepthStep(int value) {
  if (value < 0) return;
  settings_[static_cast<std::size_t>(Setting::GroupDepth)] = std::to_string(value);
  view_.ShowSetting(Setting::GroupDepth, SettingText(Setting::GroupDepth));
  Generate();
}

void DesktopSession::ExpandStep(int value) {
  settings_[static_cast<std::size_t>(Setting::Expand)] = std::to_string(value);
  view_.ExpandToLevel(value);
  view_.SetExpandMaximum(8);
}

// --- findings -----------------------------------------------------------------

void DesktopSession::ShowFindings(std::vector<Finding> findings) {
  findings_ = std::move(findings);
  findingsOfNode_.clear();
  std::vector<FindingMark> marks;
  std::unordered_map<const DirNode*, std::size_t> markOf;
  for (std::size_t i = 0; i < findings_.size(); ++i) {
    const Finding& finding = findings_[i];
    if (finding.node == nullptr) continue;
    findingsOfNode_[finding.node].push_back(i);
    auto [at, added] = markOf.emplace(finding.node, marks.size());
    if (added) marks.push_back(FindingMark{finding.node, false, {}});
    FindingMark& mark = marks[at->second];
    mark.anyError = mark.anyError || finding.severity == Severity::Error;
    mark.lines.push_back(std::string(SeverityName(finding.severity)) + " " + finding.code + ": " +
                         finding.message);
  }
  view_.ShowFindingMarks(marks);
  ShowItemFindings();
}

void DesktopSession::ShowItemFindings() {
  // The disc's counts, then the selected item's first finding and how many
  // more it has; how many more comes before the message, which the line may
  // cut.
  std::string text = CountsText(CountFindings(findings_));
  const auto own = findingsOfNode_.find(selected_);
  if (selected_ != nullptr && own != findingsOfNode_.end() && tree_ != nullptr) {
    const Finding& first = findings_[own->second.front()];
    text += "  |  " + DiscRelativePath(*tree_, first.node);
    if (own->second.size() > 1) text += " (+" + std::to_string(own->second.size() - 1) + " more)";
    text += std::string(": ") + SeverityName(first.severity) + " " + first.code + ": " +
            first.message;
  }
  status_ = text;
  view_.ShowStatus(status_);
}

std::string RunCodePageText() { return "Code page " + std::to_string(RunCodePage()); }

}  // namespace cartulon
