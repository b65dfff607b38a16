// cartulon-cli: the TXT File run (and, with --csv, the TXT + CSV run) of the
// desktop program without any window. It analyses a support-disc root,
// builds and compacts the preview, applies the save rules and writes
// FileList.txt, then optionally DriverInformation.csv beside it.
//
// Exit status: 0 success, 1 any failure, 2 bad usage.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <new>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "cli/check_command.h"
#include "cli/stderr_output.h"
#include "output/save_target.h"
#include "platform/code_page.h"
#include "platform/console.h"
#include "platform/disc_files.h"
#include "platform/file_identity.h"
#include "platform/input_files.h"
#include "platform/interrupt_cleanup.h"
#include "platform/message_sink.h"
#include "platform/paths.h"
#include "platform/program_path.h"
#include "platform/text.h"
#include "platform/whole_numbers.h"
#include "shell/list_run.h"
#include "shell/startup.h"

#ifndef CARTULON_VERSION
#define CARTULON_VERSION "unknown"
#endif

namespace {

using namespace cartulon;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Options {
  std::string root;
  bool csv = false;
  int depth = kStartupDepth;
  int indent = 25;
  int groupDepth = 2;
  std::string date;  // M/D/YYYY, empty for today
  std::string rulesFile;
  std::string contactFile;
  std::string output;
  std::string csvOutput;
  bool toStdout = false;
  bool force = false;
  bool check = false;
  bool json = false;
};

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

bool WriteStdout(std::string_view bytes) {
  if (WriteStandardOutput(bytes)) return true;
  PrintError("cannot write to standard output");
  return false;
}

int Run(const Options& opt, const char* argv0) {
  BatchSettings settings;
  settings.root = opt.root;
  settings.depth = opt.depth;
  settings.list.indent = opt.indent;
  settings.list.groupDepth = opt.groupDepth;
  SplitDate(opt.date.empty() ? TodayText() : opt.date, settings.list);
  settings.rulesFile = opt.rulesFile;
  settings.contactFile = opt.contactFile;
  settings.programFolder = RunningProgramFolder(argv0);
  settings.reporter = kProgramName;

  ListRunTargets& targets = settings.targets;
  targets.list = opt.output;
  targets.replaceList = opt.force;
  if (opt.toStdout) targets.listStream = WriteStdout;
  targets.writeCsv = opt.csv;
  targets.csv = opt.csvOutput;
  targets.askBeforeReplacingCsv = !opt.force;

  StderrSink sink;
  switch (RunBatch(settings, sink)) {
    case BatchStatus::Succeeded:
      return kExitOk;
    case BatchStatus::BadUsage:
      return kExitUsage;
    case BatchStatus::Failed:
      break;
  }
  return kExitFailure;
}

// Option values arrive as text and are checked here, so that every bad value
// gets a message naming the option and the value, and exit status 2.
class OptionCheck {
 public:
  // A whole number as the command line writes it (platform/whole_numbers.h),
  // from `low` to `high`.
  void Number(const char* name, const std::string& text, int low, int high, int* value) {
    if (text.empty()) return Bad(name, text, "must not be empty");
    const std::optional<std::int64_t> parsed = ParseCommandLineNumber(text);
    if (!parsed) return Bad(name, text, "is not a whole number");
    if (*parsed < low || *parsed > high) {
      return Bad(name, text,
                 "is out of range: it must be from " + std::to_string(low) + " to " +
                     std::to_string(high));
    }
    *value = static_cast<int>(*parsed);
  }

  // A code page the conversion of names knows (platform/code_page.h).
  void CodePage(const CLI::Option* option, const std::string& text, unsigned* value) {
    if (option->count() == 0) return;
    const std::optional<std::int64_t> parsed = ParseCommandLineNumber(text);
    if (!parsed || *parsed < 0 || *parsed > 65535 ||
        !KnownCodePage(static_cast<unsigned>(*parsed))) {
      return Bad("--codepage", text,
                 "is not a code page this program knows: 874, 932, 936, 949, 950 or 1250 to "
                 "1258");
    }
    *value = static_cast<unsigned>(*parsed);
  }

  void NotEmpty(const char* name, const CLI::Option* option, const std::string& text) {
    if (option->count() > 0 && text.empty()) Bad(name, text, "must not be empty");
  }

  // A file to read instead of a carried template: a regular file of sane size.
  void InputFile(const char* name, const CLI::Option* option, const std::string& path) {
    if (option->count() == 0) return;
    if (path.empty()) return Bad(name, path, "must not be empty");
    const InputFileState state = CheckInputFile(path);
    if (state != InputFileState::Readable) Bad(name, path, InputFileProblem(state));
  }

  // M/D/YYYY: one or two digits, one or two digits, four digits.
  void Date(const CLI::Option* option, const std::string& text) {
    static const std::regex shape("[0-9]{1,2}/[0-9]{1,2}/[0-9]{4}");
    if (option->count() > 0 && !std::regex_match(text, shape)) {
      Bad("--date", text, "is not a date of the form M/D/YYYY");
    }
  }

  void Root(const std::string& root) {
    if (root.empty()) return Bad("ROOT", root, "must not be empty");
    if (FolderExists(root)) return;
    Bad("ROOT", root, FileExists(root) ? "is not a folder" : "does not exist");
  }

  bool Passed() const { return passed_; }

 private:
  void Bad(const char* name, const std::string& value, const std::string& problem) {
    PrintError(std::string(name) + ": '" + EscapeControlCharacters(value, EscapeAlso::NonAscii) +
               "' " + problem);
    passed_ = false;
  }

  bool passed_ = true;
};

int RunCommandLine(int argc, char** argv) {
  Options opt;
  std::string depth = std::to_string(opt.depth);
  std::string indent = std::to_string(opt.indent);
  std::string groupDepth = std::to_string(opt.groupDepth);
  CLI::App app{
      "Builds FileList.txt (and with --csv DriverInformation.csv) for the support disc "
      "whose root folder is ROOT, as the TXT File run of the desktop program does.",
      kProgramName};
  app.set_version_flag("--version", std::string(kProgramName) + " " + CARTULON_VERSION);

  app.add_option("ROOT", opt.root, "Root folder of the support disc")->required();
  app.add_flag("--csv", opt.csv,
               "Also write DriverInformation.csv from the list just written, beside it");
  app.add_option("--depth", depth, "Search depth of the folder scan (decimal)")
      ->capture_default_str();
  app.add_option("--indent", indent, "Width of the name column, 0 to 1000")->capture_default_str();
  app.add_option("--group-depth", groupDepth,
                 "Deepest level whose groups end in a blank line, 0 to 100")
      ->capture_default_str();
  CLI::Option* date =
      app.add_option("--date", opt.date, "Date of the footer as M/D/YYYY (default: today)");
  CLI::Option* rules = app.add_option(
      "--rules", opt.rulesFile, "Layout rules file to use instead of the carried FileList_Exp.ini");
  CLI::Option* contact =
      app.add_option("--contact", opt.contactFile,
                     "Contact block file to use instead of the carried TECHSUPP.ini");
  CLI::Option* output =
      app.add_option("--output", opt.output, "Write the list here instead of ROOT/FileList.txt");
  CLI::Option* csv = app.get_option("--csv");
  CLI::Option* csvOutput =
      app.add_option("--csv-output", opt.csvOutput, "Write the CSV here instead of beside the list")
          ->needs(csv);
  app.add_flag("--stdout", opt.toStdout, "Print the list to standard output instead of writing it")
      ->excludes(output);
  app.add_flag("--force", opt.force, "Replace existing target files");
  std::string codePageText;
  CLI::Option* codePage =
      app.add_option("--codepage", codePageText,
                     "Code page of the list's names (default: the one Windows gives the locale)");
  CLI::Option* check = app.add_flag("--check", opt.check,
                                    "Report what would make the list lose or misdescribe a "
                                    "package; write nothing");
  app.add_flag("--json", opt.json, "With --check: the report as one JSON object")->needs(check);
  for (const char* writes : {"--csv", "--csv-output", "--output", "--stdout", "--force"}) {
    check->excludes(writes);
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);  // --help, --version
    // The parser quotes what it did not take as it was typed: escaped, as
    // every value in a usage message.
    PrintError(EscapeControlCharacters(e.what(), EscapeAlso::NonAscii) +
               "\nRun with --help for more information.");
    return kExitUsage;
  }

  // "E:" alone names the current folder of drive E: resolved once, here,
  // so that every later step sees the folder the user meant.
  opt.root = ResolveDriveRelative(opt.root);
  OptionCheck checked;
  checked.Root(opt.root);
  checked.Number("--depth", depth, 0, 999999999, &opt.depth);
  checked.Number("--indent", indent, 0, 1000, &opt.indent);
  checked.Number("--group-depth", groupDepth, 0, 100, &opt.groupDepth);
  checked.Date(date, opt.date);
  checked.InputFile("--rules", rules, opt.rulesFile);
  checked.InputFile("--contact", contact, opt.contactFile);
  checked.NotEmpty("--output", output, opt.output);
  checked.NotEmpty("--csv-output", csvOutput, opt.csvOutput);
  unsigned chosenCodePage = 0;
  checked.CodePage(codePage, codePageText, &chosenCodePage);
  if (!checked.Passed()) return kExitUsage;
  if (chosenCodePage != 0) SetRunCodePage(chosenCodePage);
  if (opt.check) {
    return RunCheckCommand({opt.root, opt.depth, opt.rulesFile, opt.contactFile, opt.json},
                           argv[0]);
  }
  return Run(opt, argv[0]);
}

}  // namespace

int main(int argc, char** argv) {
  PrepareConsole();
  // An interrupted run removes its scratch folder and any unfinished write.
  InstallInterruptCleanup();
  try {
    ProgramArguments read = ReadProgramArguments(argc, argv);
    if (!read.unspellable.empty()) {
      PrintError("'" + EscapeControlCharacters(read.unspellable, EscapeAlso::NonAscii) +
                 "': this argument has characters that the system's code page (" +
                 std::to_string(SystemCodePage()) +
                 ") cannot spell exactly, shown as '?'; no file was read or written");
      return kExitUsage;
    }
    std::vector<char*> args;
    for (std::string& arg : read.args) args.push_back(arg.data());
    args.push_back(nullptr);
    return RunCommandLine(static_cast<int>(read.args.size()), args.data());
  } catch (const std::bad_alloc&) {
    // The way out has removed the scratch folder with the objects that held
    // it; what else is registered (the temporary file of a write under way)
    // goes now. An earlier file stays as it was.
    WithCleanupLock([] { RemoveRegisteredPaths(); });
    PrintError("out of memory; the run was stopped");
    return kExitFailure;
  }
}
