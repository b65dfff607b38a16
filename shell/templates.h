#pragma once
// The two text templates the program carries (TECHSUPP and FileList_Exp, of
// type TXTFILE) and their writing into the working folder.
#include <optional>
#include <string>
#include <string_view>

#include "platform/message_sink.h"

namespace cartulon {

// A carried resource by type and name (names ignoring ASCII case).
std::optional<std::string_view> FindCarriedResource(std::string_view type, std::string_view name);

// Writes resource `name` of `type` byte for byte to workingFolder/<name>.ini,
// replacing any file of that name. False without a message when there is no
// such resource; false with "An error occurred when liberating file <name>.ini"
// (caption "Zolt Cartulon") when it cannot be written.
bool ExtractTemplate(const std::string& workingFolder, std::string_view name,
                     std::string_view type, MessageSink& messages);

}  // namespace cartulon
