#pragma once
// The one-shot runs of both front ends: "TXT File" (FileList.txt) and
// "TXT + CSV Files" (FileList.txt, then DriverInformation.csv from the list
// just written). The desktop program analyses on its worker and prepares the
// preview it shows, then calls SaveListAndCsv; the batch command runs the
// whole of it, analysis included, through RunBatch.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output/driver_csv.h"
#include "output/list_writer.h"
#include "output/save_rules.h"
#include "platform/message_sink.h"
#include "platform/prompts.h"

namespace cartulon {

// Where a one-shot run puts its files and what it may replace.
struct ListRunTargets {
  std::string list;          // empty: <disc root>/FileList.txt
  bool replaceList = false;  // write over an existing list without asking
  // When set, the list's bytes go here instead of into a file (false: the
  // stream failed); the CSV is then built from those bytes.
  std::function<bool(std::string_view)> listStream;
  bool writeCsv = false;
  std::string csv;  // empty: DriverInformation.csv beside the list written
  bool askBeforeReplacingCsv = true;
  // Remove the two templates from the working folder after the list was
  // written; a preview keeps them until its window closes.
  bool removeTemplates = true;
};

// The list's target: targets.list, or FileList.txt in the disc root
// (`scdPath`, without trailing delimiter).
std::string ListTargetPath(const std::string& scdPath, const ListRunTargets& targets);
// The table's target: targets.csv, or DriverInformation.csv beside the list.
std::string DriverCsvTarget(const std::string& listPath, const ListRunTargets& targets);

struct ListRunResult {
  SaveOutcome list = SaveOutcome::Failed;
  std::optional<ExportOutcome> csv;  // set when the export ran
  std::string listWritten;           // empty for a stream or when nothing was written
  bool Succeeded() const;
};

// The save of a prepared preview (save rules, footer, question, write) and,
// when asked, the CSV export of the list just written. The lines of
// `entries` and their nodes are rewritten in place by the save rules; the
// captions and texts come from the UI-text table in the language of
// `languageOffset`. The export runs
// only after the list was written: a table is never built from an older
// list.
ListRunResult SaveListAndCsv(PreviewMap& entries, const std::vector<std::string>& titleLines,
                             SaveRuleFlags& flags, const ListContext& context,
                             const ListRunTargets& targets, int languageOffset,
                             UserPrompts& prompts, MessageSink& messages);

// A whole run without any window, as the batch command does it.
struct BatchSettings {
  std::string root;  // the disc root as given
  int depth = 6;
  ListSettings list;  // indent, group depth, footer date
  // Files to use instead of the carried templates; empty: the carried ones.
  std::string rulesFile;
  std::string contactFile;
  std::string programFolder;  // where the master file is looked for first
  ListRunTargets targets;
  // Caption of the run's own error messages (the program's name).
  std::string reporter;
};

// BadUsage: the targets contradict each other (the list and the table name
// one file), which the command line should not have asked for.
enum class BatchStatus { Succeeded, Failed, BadUsage };

// Checks every target before anything is written: two targets naming one
// file are bad usage; a target that the run reads (the master file, the
// rules or contact file, a package file), or a link to anything but a
// regular file, is never replaced; an existing file stops the run unless
// replacing is allowed. Places the templates in a private
// scratch folder, analyses the disc, prepares the preview as the desktop
// program does, saves and exports. Every message goes to `messages`; the
// run's own errors under the caption settings.reporter. Nothing is asked:
// a target that appears while the run is going on is not replaced.
BatchStatus RunBatch(const BatchSettings& settings, MessageSink& messages);

}  // namespace cartulon
