// cartulon-cli: the TXT File run (and, with --csv, the TXT + CSV run) of the
// desktop program without any window. It analyses a support-disc root,
// builds and compacts the preview, applies the save rules and writes
// FileList.txt, then optionally DriverInformation.csv beside it.
//
// Exit status: 0 success, 1 any failure, 2 bad usage.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <system_error>
#include <vector>

#include "describe/os_tags.h"
#include "model/dir_structure.h"
#include "output/driver_csv.h"
#include "output/layout_rules.h"
#include "output/list_writer.h"
#include "output/save_rules.h"
#include "platform/console.h"
#include "platform/disc_files.h"
#include "platform/message_sink.h"
#include "platform/paths.h"
#include "platform/program_path.h"
#include "platform/prompts.h"
#include "platform/scratch_folder.h"
#include "shell/analysis.h"
#include "shell/startup.h"
#include "shell/templates.h"
#include "shell/ui_text.h"

#ifndef CARTULON_VERSION
#define CARTULON_VERSION "unknown"
#endif

namespace {

namespace fs = std::filesystem;
using namespace cartulon;

constexpr const char* kProgramName = "cartulon-cli";
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The batch run speaks English: UI texts come from the English table.
constexpr int kLanguageOffset = kEnglishOffset;

struct Options {
  std::string root;
  bool csv = false;
  int depth = 6;
  int indent = 25;
  int groupDepth = 2;
  std::string date;  // M/D/YYYY, empty for today
  std::string rulesFile;
  std::string contactFile;
  std::string output;
  std::string csvOutput;
  bool toStdout = false;
  bool force = false;
};

// Prints what the desktop program shows in message boxes, one
// "<caption>: <text>" per message on standard error.
class PrintingSink : public MessageSink {
 public:
  void Show(const Message& message) override {
    WriteStandardError(message.caption + ": " + message.text + "\n");
  }
};

// The batch run checks every target before it starts, so the writers never
// have a reason to ask. Should they ask anyway (a target appeared while the
// run was going on), the answer is No and the save dialog is cancelled, and
// the run counts as failed.
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

void PrintError(const std::string& text) {
  WriteStandardError(std::string(kProgramName) + ": " + text + "\n");
}

std::string TodayText() {
  const LocalDate today = LocalToday();
  return DateText({today.month, today.day, today.year});
}

void SplitDate(const std::string& date, ListSettings& settings) {
  const auto first = date.find('/');
  const auto second = date.find('/', first + 1);
  settings.month = date.substr(0, first);
  settings.day = date.substr(first + 1, second - first - 1);
  settings.year = date.substr(second + 1);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec1, ec2;
  const fs::path pa = fs::weakly_canonical(fs::absolute(a, ec1), ec1);
  const fs::path pb = fs::weakly_canonical(fs::absolute(b, ec2), ec2);
  if (ec1 || ec2) return a == b;
  return pa == pb;
}

bool PathExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

// Writes one template into the working folder: the carried one, or a copy
// of the file given on the command line.
bool PlaceTemplate(const std::string& workFolder, const char* resourceName,
                   const std::string& fileName, const std::string& replacement, MessageSink& sink) {
  if (replacement.empty()) {
    ExtractTemplate(workFolder, resourceName, kTemplateType, sink);
  } else {
    const std::optional<std::string> bytes = ReadFileBytes(replacement);
    if (!bytes) {
      PrintError("cannot read " + replacement);
      return false;
    }
    std::string error;
    if (!WriteFileAtomically(JoinPath(workFolder, fileName), *bytes, &error)) {
      PrintError("cannot copy " + replacement + ": " + error);
      return false;
    }
  }
  // As at start-up: what counts is that the file is there afterwards.
  if (!FileExists(JoinPath(workFolder, fileName))) {
    sink.Show({kApplicationTitle, fileName + " not found !", MessageKind::Error});
    return false;
  }
  return true;
}

int Run(const Options& opt, const char* argv0) {
  PrintingSink sink;
  RefusingPrompts prompts;

  const std::string scdPath = StripRootDelimiter(opt.root);
  const std::string listTarget =
      opt.output.empty() ? JoinPath(opt.root, kFileListName) : opt.output;
  const std::string csvTarget =
      opt.csvOutput.empty() ? JoinPath(FolderPart(listTarget), kDriverCsvName) : opt.csvOutput;
  if (opt.csv && !opt.toStdout && SameFile(listTarget, csvTarget)) {
    PrintError("--output and --csv-output name the same file: " + listTarget);
    return kExitUsage;
  }

  // The master file, looked up as at start-up: beside the program first,
  // then in the disc's Bin folder.
  MasterFileLocations masters;
  masters.programFolder = RunningProgramFolder(argv0);
  masters.cdMasterPath = BuildCDMasterPath(opt.root);
  if (masters.Resolve().empty()) {
    sink.Show({kApplicationTitle, masters.MissingMessage(), MessageKind::Error});
    return kExitFailure;
  }

  // Every target is checked before anything is written.
  if (!opt.force) {
    std::vector<std::string> existing;
    if (!opt.toStdout && PathExists(listTarget)) existing.push_back(listTarget);
    if (opt.csv && PathExists(csvTarget)) existing.push_back(csvTarget);
    if (!existing.empty()) {
      for (const std::string& path : existing) {
        PrintError(path + " already exists; use --force to replace it");
      }
      PrintError("nothing written");
      return kExitFailure;
    }
  }

  ScratchFolder work;
  std::string error;
  if (!work.Create(&error)) {
    PrintError(error);
    return kExitFailure;
  }
  if (!PlaceTemplate(work.Path(), "TECHSUPP", kContactFileName, opt.contactFile, sink) ||
      !PlaceTemplate(work.Path(), "FileList_Exp", kRulesFileName, opt.rulesFile, sink)) {
    return kExitFailure;
  }

  std::unique_ptr<DirStructure> tree =
      RunAnalysis(scdPath, opt.depth, JoinPath(work.Path(), kRulesFileName), sink);
  if (!tree || tree->RootDir == nullptr) return kExitFailure;

  ListContext context;
  context.scdPath = scdPath;
  context.workingFolder = work.Path();
  context.masters = masters;
  context.settings.indent = opt.indent;
  context.settings.groupDepth = opt.groupDepth;
  SplitDate(opt.date.empty() ? TodayText() : opt.date, context.settings);

  Preview preview;
  if (!PrepareInitialPreview(*tree, preview, context, sink)) return kExitFailure;

  const std::string caption = LoadUiText(7, kLanguageOffset);
  const std::string overwriteText = LoadUiText(9, kLanguageOffset);
  SaveRuleFlags flags;
  std::vector<std::string>& entryLines = preview.map.PreviewLines;

  std::string listWritten;
  std::string listBytes;
  if (opt.toStdout) {
    if (!RewriteListForSave(entryLines, flags, masters, &error)) {
      sink.Show({kApplicationTitle, error, MessageKind::Error});
      return kExitFailure;
    }
    listBytes = AssembleFileList(preview.titleLines, entryLines, BuildFooter(context.settings));
    if (!WriteStandardOutput(listBytes)) {
      PrintError("cannot write to standard output");
      return kExitFailure;
    }
  } else {
    SaveRequest request;
    // Without --force the target was found absent above; should it appear
    // meanwhile, the writer asks, the prompts refuse and nothing is replaced.
    request.outputMode = opt.force ? 2 : 1;
    request.caption = caption;
    request.overwriteText = overwriteText;
    request.removeTemplates = true;
    request.targetPath = listTarget;
    const SaveOutcome outcome = SaveFileList(entryLines, preview.titleLines, flags, context,
                                             request, prompts, sink, &listWritten);
    if (outcome != SaveOutcome::Written) {
      if (prompts.asked) PrintError(listTarget + " appeared during the run; not replaced");
      return kExitFailure;
    }
  }

  if (!opt.csv) return kExitOk;

  if (opt.toStdout) {
    std::vector<std::string> rows;
    if (!BuildDriverRows(SplitTextLines(listBytes), rows)) {
      sink.Show({caption, LoadUiText(18, kLanguageOffset), MessageKind::Error});
      return kExitFailure;
    }
    if (!opt.force && PathExists(csvTarget)) {
      PrintError(csvTarget + " appeared during the run; not replaced");
      return kExitFailure;
    }
    if (!WriteFileAtomically(csvTarget, CsvBytes(rows), &error)) {
      sink.Show(
          {caption, "Cannot create file \"" + csvTarget + "\". " + error, MessageKind::Error});
      return kExitFailure;
    }
    return kExitOk;
  }

  ExportRequest request;
  request.fileListPath = listWritten.empty() ? listTarget : listWritten;
  request.defaultTarget = csvTarget;
  request.initialFolder = scdPath;
  request.askBeforeReplace = !opt.force;
  request.caption = caption;
  request.overwriteText = overwriteText;
  request.noFileListText = LoadUiText(17, kLanguageOffset);
  request.noDriversText = LoadUiText(18, kLanguageOffset);
  const ExportOutcome outcome = ExportDriverCsv(request, prompts, sink);
  if (outcome != ExportOutcome::Written) {
    if (prompts.asked) PrintError(csvTarget + " appeared during the run; not replaced");
    return kExitFailure;
  }
  return kExitOk;
}

// M/D/YYYY: one or two digits, one or two digits, four digits.
std::string CheckDateShape(const std::string& text) {
  static const std::regex shape("[0-9]{1,2}/[0-9]{1,2}/[0-9]{4}");
  if (std::regex_match(text, shape)) return {};
  return "'" + text + "' is not a date of the form M/D/YYYY";
}

}  // namespace

int main(int argc, char** argv) {
  PrepareConsole();

  Options opt;
  CLI::App app{
      "Builds FileList.txt (and with --csv DriverInformation.csv) for the support disc "
      "whose root folder is ROOT, as the TXT File run of the desktop program does.",
      kProgramName};
  app.set_version_flag("--version", std::string(kProgramName) + " " + CARTULON_VERSION);

  app.add_option("ROOT", opt.root, "Root folder of the support disc")->required();
  app.add_flag("--csv", opt.csv,
               "Also write DriverInformation.csv from the list just written, beside it");
  app.add_option("--depth", opt.depth, "Search depth of the folder scan")->capture_default_str();
  app.add_option("--indent", opt.indent, "Width of the name column")
      ->check(CLI::Range(0, 1000))
      ->capture_default_str();
  app.add_option("--group-depth", opt.groupDepth, "Deepest level whose groups end in a blank line")
      ->check(CLI::Range(0, 100))
      ->capture_default_str();
  app.add_option("--date", opt.date, "Date of the footer as M/D/YYYY (default: today)")
      ->check(CLI::Validator(CheckDateShape, "M/D/YYYY", "date"));
  app.add_option("--rules", opt.rulesFile,
                 "Layout rules file to use instead of the carried FileList_Exp.ini")
      ->check(CLI::ExistingFile);
  app.add_option("--contact", opt.contactFile,
                 "Contact block file to use instead of the carried TECHSUPP.ini")
      ->check(CLI::ExistingFile);
  CLI::Option* output =
      app.add_option("--output", opt.output, "Write the list here instead of ROOT/FileList.txt");
  CLI::Option* csv = app.get_option("--csv");
  app.add_option("--csv-output", opt.csvOutput, "Write the CSV here instead of beside the list")
      ->needs(csv);
  app.add_flag("--stdout", opt.toStdout, "Print the list to standard output instead of writing it")
      ->excludes(output);
  app.add_flag("--force", opt.force, "Replace existing target files");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kExitOk : kExitUsage;
  }
  if (opt.root.empty()) {
    PrintError("ROOT must not be empty");
    return kExitUsage;
  }
  return Run(opt, argv[0]);
}
