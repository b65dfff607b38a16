#pragma once
// One analysis of a support-disc root, as the worker thread runs it: scan,
// attach, layout rules, classification; and the preview the after-analysis
// step builds from it.
#include <memory>
#include <string>

#include "model/dir_structure.h"
#include "output/list_writer.h"
#include "platform/message_sink.h"

namespace cartulon {

// The four passes. The structure has no root (and no pass after the scan
// ran) when the depth is negative.
std::unique_ptr<DirStructure> RunAnalysis(const std::string& scdPath, int depth,
                                          const std::string& rulesFilePath,
                                          MessageSink& messages);

// The root's children in display order, Generate, Compact, Generate again:
// the preview a finished analysis starts with. False when a Generate failed.
bool PrepareInitialPreview(DirStructure& tree, Preview& preview, const ListContext& context,
                           MessageSink& messages);

}  // namespace cartulon
