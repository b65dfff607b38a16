#include "shell/analysis.h"

#include "describe/classify.h"
#include "model/check_states.h"
#include "output/layout_rules.h"

namespace cartulon {

std::unique_ptr<DirStructure> RunAnalysis(const std::string& scdPath, int depth,
                                          const std::string& rulesFilePath,
                                          MessageSink& messages) {
  auto tree = std::make_unique<DirStructure>(scdPath, depth, messages);
  // A refused scan (negative depth) has no root; the other passes then have
  // nothing to work on.
  if (tree->RootDir == nullptr) return tree;
  AttachDescriptions(tree->RootDir, depth);
  ApplyLayoutRules(tree.get(), rulesFilePath);
  ClassifyPackages(*tree, tree->RootDir, depth, messages);
  // The names that were left out, scan and rules pass together, in one
  // message per analysis.
  tree->ReportLeftOutNames();
  return tree;
}

bool PrepareInitialPreview(DirStructure& tree, Preview& preview, const ListContext& context,
                           MessageSink& messages) {
  // The root's children take their display order when the tree is bound to
  // the view; the list follows that order.
  if (tree.RootDir != nullptr) DirStructure::SortChildren(tree.RootDir);
  const bool first = GeneratePreview(tree, preview, context, messages);
  if (tree.RootDir != nullptr) CompactChecks(tree.RootDir);
  // The first lines are let go before the second ones are built, so that a
  // huge list is never held twice; when either generation fails the run
  // shows no entry lines anyway.
  preview.map = PreviewMap{};
  const bool second = GeneratePreview(tree, preview, context, messages);
  return first && second;
}

}  // namespace cartulon
