#include "output/list_writer.h"

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "describe/entry_text.h"
#include "output/layout_rules.h"
#include "output/list_columns.h"
#include "platform/disc_files.h"
#include "platform/input_files.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace cartulon {

namespace {

constexpr std::string_view kVerTagMarker = "-Ver.tag";
constexpr std::string_view kContactLine = "-Contact";

std::string Blanks(long long count) {
  return count > 0 ? std::string(static_cast<std::size_t>(count), ' ') : std::string();
}

// A file of the working folder: the name as written when it is there,
// otherwise an entry that differs only in letter case, otherwise the plain
// joined path (which then does not exist).
std::string WorkingFile(const std::string& folder, std::string_view name) {
  if (std::optional<std::string> found = ResolveOnDisc(folder, name, EntryKind::File)) {
    return *found;
  }
  return JoinPath(folder, name);
}

// Why a file could not be read, in the platform's words, from what the read
// found (the file is not opened again: it may be a pipe now).
std::string ReadFailureReason(const std::string& path, InputFileState state, int error) {
  switch (state) {
    case InputFileState::Missing:
      return std::strerror(ENOENT);
    case InputFileState::NotAFile:
      return FolderExists(path) ? std::strerror(EISDIR) : InputFileProblem(state);
    case InputFileState::TooLarge:
      return std::strerror(EIO);
    case InputFileState::Readable:
      break;
  }
  return std::strerror(error != 0 ? error : EIO);
}

}  // namespace

void EmitNodeLines(DirNode* node, PreviewMap& map, const ListContext& context) {
  if (node == nullptr || !node->Checked) return;
  const int indent = context.settings.indent;

  if (node->Depth != 0 && node->Data != nullptr) {
    const std::string prefix = Blanks(2LL * (node->Depth - 1));
    std::string line = prefix + "-" + node->Name;
    const long long nameWidth = static_cast<long long>(node->Name.size()) + 1;
    const std::string padding =
        Blanks(NamePaddingLength(indent, static_cast<long long>(line.size())));
    line += padding;
    // One line per source of the chain; the later ones keep the description
    // column of the first and leave the name part blank.
    const std::string later = prefix + Blanks(nameWidth) + padding;
    for (DescrStruct* record = node->Data.get(); record != nullptr; record = record->Next.get()) {
      if (record->Enabled && record->EntryText.empty()) {
        ComposeEntryText(*record, context.masters);
      }
      for (std::size_t k = 0; k < record->Repeats; ++k) {
        if (record->Enabled) line += record->EntryText;
        map.AddPreviewLine(std::move(line), node, -1);
        line = later;
      }
    }
  }

  for (DirNode* child : node->Children) EmitNodeLines(child, map, context);

  if (context.settings.groupDepth >= node->Depth) map.AddPreviewLine(std::string(), nullptr, -1);
}

bool InsertContactBlock(PreviewMap& map, const ListContext& context, MessageSink& messages) {
  // The last line naming the Ver.tag leaf becomes the contact block.
  std::size_t at = map.PreviewLines.size();
  for (std::size_t i = map.PreviewLines.size(); i-- > 0;) {
    if (map.PreviewLines[i].find(kVerTagMarker) != std::string::npos) {
      at = i;
      break;
    }
  }
  if (at == map.PreviewLines.size()) return true;

  map.PreviewLines[at] = std::string(kContactLine);

  const std::string path = WorkingFile(context.workingFolder, kContactFileName);
  InputFileState state = InputFileState::Missing;
  errno = 0;
  const std::optional<std::string> bytes = ReadInputFile(path, &state);
  if (!bytes) {
    const std::string reason = ReadFailureReason(path, state, errno);
    messages.Show(Message{kApplicationTitle, "Cannot open file \"" + path + "\". " + reason,
                          MessageKind::Error});
    return false;
  }
  const std::vector<std::string> lines = SplitTextLines(*bytes);
  if (lines.empty()) return true;

  const int indent = context.settings.indent;
  map.PreviewLines[at] = std::string(kContactLine) + Blanks(ContactGapLength(indent)) + lines[0];
  DirNode* const owner = map.LineNodes[at];
  for (std::size_t i = 1; i < lines.size(); ++i) {
    map.AddPreviewLine(Blanks(indent) + lines[i], owner, static_cast<int>(at + i));
  }
  return true;
}

bool GeneratePreview(const DirStructure& tree, Preview& preview, const ListContext& context,
                     MessageSink& messages) {
  std::vector<std::string> titleLines;
  BuildTitleBlock(titleLines, context.scdPath, context.settings.indent,
                  WorkingFile(context.workingFolder, kRulesFileName));
  preview.titleLines = std::move(titleLines);

  // The entry lines are built aside and replace the shown ones only when the
  // contact block could be read.
  PreviewMap entries;
  EmitNodeLines(tree.RootDir, entries, context);
  if (!InsertContactBlock(entries, context, messages)) return false;
  preview.map = std::move(entries);
  return true;
}

std::vector<std::string> BuildFooter(const ListSettings& settings) {
  const long long indent = settings.indent;
  const long long gap = indent >= 13 ? indent - 13 : 4;
  return {
      "-FileList.txt" + Blanks(gap) + "The file you are now reading.",
      Blanks(indent) + settings.month + "/" + settings.day + "/" + settings.year,
  };
}

std::string AssembleFileList(const std::vector<std::string>& titleLines,
                             const std::vector<std::string>& entryLines,
                             const std::vector<std::string>& footer) {
  std::size_t size = 0;
  for (const std::vector<std::string>* part : {&titleLines, &entryLines, &footer}) {
    for (const std::string& line : *part) size += line.size() + 2;
  }
  std::string bytes;
  bytes.reserve(size);
  for (const std::vector<std::string>* part : {&titleLines, &entryLines, &footer}) {
    for (const std::string& line : *part) {
      bytes += line;
      bytes += "\r\n";
    }
  }
  return bytes;
}

SaveOutcome SaveFileList(PreviewMap& entries, const std::vector<std::string>& titleLines,
                         SaveRuleFlags& flags, const ListContext& context,
                         const SaveRequest& request, UserPrompts& prompts, MessageSink& messages,
                         std::string* writtenPath) {
  std::string error;
  if (!RewriteListForSave(entries, flags, context.masters,
                          ListColumns::ForIndent(context.settings.indent), &error)) {
    messages.Show(Message{kApplicationTitle, error, MessageKind::Error});
    return SaveOutcome::Failed;
  }
  const std::string bytes =
      AssembleFileList(titleLines, entries.PreviewLines, BuildFooter(context.settings));

  SaveTarget target;
  target.path = request.targetPath;
  if (target.path.empty()) {
    target.path = context.scdPath;
    target.path += kPathDelimiter;
    target.path += kFileListName;
  }
  target.askBeforeReplace = request.outputMode != 2;
  target.caption = request.caption;
  target.overwriteText = request.overwriteText;
  target.dialogFolder = context.scdPath;
  target.failureCaption = kApplicationTitle;
  const SaveOutcome outcome = WriteToTarget(target, bytes, prompts, messages, writtenPath);
  if (outcome != SaveOutcome::Written) return outcome;

  if (request.removeTemplates) {
    DeleteFileQuietly(WorkingFile(context.workingFolder, kRulesFileName));
    DeleteFileQuietly(WorkingFile(context.workingFolder, kContactFileName));
  }
  return SaveOutcome::Written;
}

}  // namespace cartulon
