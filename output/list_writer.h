#pragma once
// FileList.txt: the preview lines of an analysed tree (heading, entry lines,
// contact block), the save with its footer, question and save dialog.
#include <string>
#include <vector>

#include "describe/os_tags.h"
#include "model/dir_structure.h"
#include "output/preview_map.h"
#include "output/save_rules.h"
#include "output/save_target.h"
#include "platform/message_sink.h"
#include "platform/prompts.h"

namespace cartulon {

inline constexpr const char* kContactFileName = "TECHSUPP.ini";
inline constexpr const char* kFileListName = "FileList.txt";

struct ListSettings {
  int indent = 25;      // width of the name column
  int groupDepth = 2;   // deepest level whose groups end in a blank line
  std::string month, day, year;  // footer date texts, used as given
};

// Everything Generate and Save read besides the tree.
struct ListContext {
  std::string scdPath;        // disc root without trailing delimiter
  std::string workingFolder;  // where FileList_Exp.ini and TECHSUPP.ini lie
  MasterFileLocations masters;
  ListSettings settings;
};

struct Preview {
  std::vector<std::string> titleLines;  // the four heading lines, or none
  PreviewMap map;                       // the entry lines
};

// Appends the lines of a node and its subtree, composing entry texts on
// first use.
void EmitNodeLines(DirNode* node, PreviewMap& map, const ListContext& context);

// Replaces the last "-Ver.tag" line by the contact block read from
// TECHSUPP.ini; false (and a message) when the contact file cannot be read.
bool InsertContactBlock(PreviewMap& map, const ListContext& context, MessageSink& messages);

// Rebuilds heading and entry lines. When the contact block fails, the
// heading is already replaced and the entry lines keep their previous
// content; the result is false. Selecting the line of the view's selected
// item (PreviewMap::SelectLineOfItem) is left to the caller.
bool GeneratePreview(const DirStructure& tree, Preview& preview, const ListContext& context,
                     MessageSink& messages);

// The two footer lines.
std::vector<std::string> BuildFooter(const ListSettings& settings);

// Heading, entry lines and footer as file bytes: CRLF after every line.
std::string AssembleFileList(const std::vector<std::string>& titleLines,
                             const std::vector<std::string>& entryLines,
                             const std::vector<std::string>& footer);

struct SaveRequest {
  int outputMode = 1;         // 2 writes without asking about an existing file
  std::string caption;        // UiText::ProgramCaption
  std::string overwriteText;  // UiText::OverwriteQuestion
  // Remove FileList_Exp.ini and TECHSUPP.ini from the working folder after
  // a write (the one-shot runs); a preview run keeps them until its window
  // closes so that later previews keep heading and contact block.
  bool removeTemplates = true;
  // Where the target goes; empty means scdPath/FileList.txt.
  std::string targetPath;
};

// The save: rewrites the entry lines of `entries` and their nodes in place
// by the save rules (at the Indent of context.settings), so that each line
// still maps to the node it describes; assembles the file, asks before
// replacing an existing FileList.txt (unless outputMode is 2; No opens the
// save dialog, whose cancel gives Declined with nothing written or deleted),
// writes it atomically and, when request.removeTemplates, removes the two
// templates from the working folder. A failed board detection or write is
// reported under the caption "Zolt Cartulon" and gives Failed; the templates
// then stay. `writtenPath` receives the path written.
SaveOutcome SaveFileList(PreviewMap& entries, const std::vector<std::string>& titleLines,
                         SaveRuleFlags& flags, const ListContext& context,
                         const SaveRequest& request, UserPrompts& prompts, MessageSink& messages,
                         std::string* writtenPath = nullptr);

}  // namespace cartulon
