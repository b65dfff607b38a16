// The saved list at any Indent, on whole discs (the two samples and a
// generated one): the list at Indent k is the list at 25 with a name column
// k wide, its preview lines still map to the nodes they describe, and the
// driver table is the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/gen_disc.h"
#include "output/layout_rules.h"
#include "output/list_columns.h"
#include "platform/disc_files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/analysis.h"
#include "shell/list_run.h"
#include "shell/templates.h"
#include "shell/ui_text.h"
#include "support/list_lines.h"
#include "support/scripted_prompts.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

// One save of a disc: the entry lines with their nodes after the save
// rules, and the bytes of DriverInformation.csv.
struct Saved {
  PreviewMap map;
  std::string csv;
};

class ListIndentTest : public ::testing::Test {
 protected:
  void Analyse(const std::string& root) {
    ASSERT_TRUE(ExtractTemplate(work_.Root(), kTechSuppResource, kTemplateType, sink_));
    ASSERT_TRUE(ExtractTemplate(work_.Root(), kRulesResource, kTemplateType, sink_));
    context_.scdPath = root;
    context_.workingFolder = work_.Root();
    context_.masters = {work_.Root(), BuildCDMasterPath(root)};
    context_.settings.month = "3";
    context_.settings.day = "7";
    context_.settings.year = "2014";
    tree_ = RunAnalysis(root, 6, work_.Path(kRulesFileName), sink_);
    ASSERT_NE(tree_->RootDir, nullptr);
  }

  // Generate at `indent` and save list and table into the scratch folder;
  // `stream` sends the list to a stream instead, as --stdout does.
  Saved SaveAt(int indent, bool stream = false) {
    context_.settings.indent = indent;
    Preview preview;
    EXPECT_TRUE(PrepareInitialPreview(*tree_, preview, context_, sink_));
    ListRunTargets targets;
    targets.list = out_.Path("FileList.txt");
    targets.csv = out_.Path("DriverInformation.csv");
    targets.replaceList = true;
    targets.askBeforeReplacingCsv = false;
    targets.writeCsv = true;
    targets.removeTemplates = false;
    if (stream) targets.listStream = [](std::string_view) { return true; };
    SaveRuleFlags flags;
    test_support::ScriptedPrompts prompts;
    const ListRunResult result = SaveListAndCsv(preview.map, preview.titleLines, flags, context_,
                                                targets, kEnglishOffset, prompts, sink_);
    EXPECT_TRUE(result.Succeeded()) << "Indent " << indent;
    return {std::move(preview.map), ReadFileBytes(targets.csv).value_or("")};
  }

  TempDir work_;
  TempDir out_;
  ListContext context_;
  RecordingMessageSink sink_;
  std::unique_ptr<DirStructure> tree_;
};

// Every line of a saved map belongs to the node whose folder it shows: a
// blank separator to none; a folder's first line starts with its name part;
// the further lines of a node (more records, the contact block) follow a line
// of the same node and carry only blanks in the name column.
void ExpectLinesDescribeTheirNodes(const PreviewMap& map, int indent) {
  ASSERT_EQ(map.PreviewLines.size(), map.LineNodes.size());
  for (std::size_t i = 0; i < map.PreviewLines.size(); ++i) {
    const std::string& line = map.PreviewLines[i];
    const DirNode* node = map.LineNodes[i];
    if (node == nullptr) {
      EXPECT_EQ(line, "") << "line " << i << " at Indent " << indent;
      continue;
    }
    const std::string namePart = std::string(2 * (node->Depth - 1), ' ') + "-" + node->Name;
    const bool first = line.rfind(namePart + " ", 0) == 0 || line == namePart ||
                       (node->Name == "Ver.tag" && line.rfind("-Contact", 0) == 0);
    const bool further = i > 0 && map.LineNodes[i - 1] == node &&
                         TrimSpaceAndControls(CopyAt(line, 1, indent)).empty();
    EXPECT_TRUE(first || further) << "line " << i << " at Indent " << indent << " \"" << line
                                  << "\" belongs to " << node->FullPath;
  }
}

// The widest name part of the list plus one: the least Indent at which every
// name is followed by blanks up to the column.
int LeastFittingIndent(const PreviewMap& map) {
  std::size_t widest = 0;
  for (const DirNode* node : map.LineNodes) {
    if (node != nullptr) widest = std::max(widest, 2 * (node->Depth - 1) + 1 + node->Name.size());
  }
  return static_cast<int>(widest) + 1;
}

TEST_F(ListIndentTest, SavedListFollowsTheIndentAndKeepsItsNodesAndTable) {
  TempDir generated;
  bench::GenerateDisc(generated.Root(), {300, 60, 6, 20240611});
  const std::filesystem::path examples(CARTULON_EXAMPLES);
  const std::vector<std::string> discs = {(examples / "SupportCD").make_preferred().string(),
                                          (examples / "BrokenCD").make_preferred().string(),
                                          generated.Root()};
  for (const std::string& disc : discs) {
    SCOPED_TRACE(disc);
    Analyse(disc);
    // The default Indent, or a wider one when a name does not fit it.
    const Saved atDefault = SaveAt(kDefaultIndent);
    const int least = LeastFittingIndent(atDefault.map);
    const int from = std::max(least, kDefaultIndent);
    const Saved reference = from == kDefaultIndent ? atDefault : SaveAt(from);
    ExpectLinesDescribeTheirNodes(reference.map, from);
    ASSERT_FALSE(reference.csv.empty());

    bool stream = true;
    for (const int indent : {least, 17, 30, 40, 64}) {
      if (indent < least) continue;
      stream = !stream;
      const Saved saved = SaveAt(indent, stream);
      std::vector<std::string> expected;
      for (const std::string& line : reference.map.PreviewLines) {
        expected.push_back(test_support::Repadded(line, from, indent));
      }
      EXPECT_EQ(saved.map.PreviewLines, expected) << "Indent " << indent;
      EXPECT_EQ(saved.map.LineNodes, reference.map.LineNodes) << "Indent " << indent;
      ExpectLinesDescribeTheirNodes(saved.map, indent);
      EXPECT_EQ(saved.csv, reference.csv) << "Indent " << indent;
    }
    // Too narrow for most names: the lines are read at the Indent's columns
    // all the same, and still keep their nodes.
    ExpectLinesDescribeTheirNodes(SaveAt(8).map, 8);
  }
  EXPECT_TRUE(sink_.messages.empty());
}

}  // namespace
}  // namespace cartulon
