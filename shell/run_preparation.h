#pragma once
// What every run does before its list is saved, whichever face starts it:
// the master file found and read once, a private scratch folder holding the
// two templates, the analysis with the disc check of the tree it builds,
// and the preview a finished analysis starts with. The batch run and the
// check go through PreparedRun; the desktop program's worker calls
// AnalyseDisc and its main thread PrepareInitialPreview (shell/analysis.h).
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "describe/os_tags.h"
#include "model/dir_structure.h"
#include "output/list_writer.h"
#include "platform/message_sink.h"
#include "platform/scratch_folder.h"
#include "shell/disc_check.h"

namespace cartulon {

// Why the master file that was found cannot serve a run.
struct MasterFileProblem {
  // The file was not read at all: what the disc check would say about the
  // supported systems of every package would be false.
  bool unread = false;
  std::string message;  // what the list run says, caption "Zolt Cartulon"
  Finding finding;      // what the check says, an error
};

// Reads the master file once (unless `masters` holds a reading already) and
// reads its [ConditionTable] Number as the save does. nullopt when it can
// serve the run, also when there is none (the caller has said so).
std::optional<MasterFileProblem> ReadMasterFile(MasterFileLocations& masters,
                                                const std::string& scdPath);

// The analysis of one disc: the four passes and, when asked, the disc check.
struct AnalysedDisc {
  std::unique_ptr<DirStructure> tree;  // null or without a root: it failed
  std::vector<Finding> findings;       // a master-file problem first
  MasterFileLocations masters;         // holding the run's one reading
};

// The analysis as a worker runs it: the master file is read here unless
// `masters` holds a reading already. With `check`, the findings are those
// of CheckDisc, after a master-file problem; a master file that could not
// be read gives that one finding only.
AnalysedDisc AnalyseDisc(const std::string& scdPath, int depth, const std::string& rulesFilePath,
                         MasterFileLocations masters, bool check, MessageSink& messages);

// The whole preparation of a run without windows.
struct RunInputs {
  std::string root;  // the disc root as given
  int depth = 6;
  // Files to use instead of the carried templates; empty: the carried ones.
  std::string rulesFile;
  std::string contactFile;
  std::string programFolder;  // where the master file is looked for first
  std::string reporter;       // caption of the run's own error messages
  ListSettings list;          // indent, group depth, footer date
};

class PreparedRun {
 public:
  PreparedRun(const RunInputs& inputs, MessageSink& messages);
  PreparedRun(const PreparedRun&) = delete;
  PreparedRun& operator=(const PreparedRun&) = delete;

  // The master file beside the program or in the disc's Bin folder, read
  // once. False after the start-up's not-found message when there is none.
  bool FindMasterFile();
  // The problem of the master file found, if any (ReadMasterFile).
  std::optional<MasterFileProblem> MasterProblem();
  // The scratch folder with both templates in it; false when reported.
  bool PlaceWorkFiles();
  // AnalyseDisc with the rules placed; false when no tree was built.
  bool Analyse(bool check);
  // Generate, Compact, Generate; false when a Generate failed.
  bool PrepareInitialPreview();

  const ListContext& Context() const { return context_; }
  DirStructure& Tree() { return *analysed_.tree; }
  const std::vector<Finding>& Findings() const { return analysed_.findings; }
  Preview& InitialPreview() { return preview_; }

 private:
  const RunInputs& inputs_;
  MessageSink& messages_;
  ListContext context_;
  ScratchFolder work_;
  AnalysedDisc analysed_;
  Preview preview_;
};

}  // namespace cartulon
