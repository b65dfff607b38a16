#pragma once
// Answers the writers' questions and save dialog from a script and records
// what was asked: (caption, text) per question, (initial folder, filter) per
// dialog.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/prompts.h"

namespace cartulon::test_support {

class ScriptedPrompts : public UserPrompts {
 public:
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    questions.emplace_back(caption, text);
    return answerYes;
  }
  std::optional<SaveDialogChoice> AskSaveFile(const std::string& initialFolder,
                                              const std::string& filter) override {
    dialogs.emplace_back(initialFolder, filter);
    return choice;
  }

  bool answerYes = true;
  std::optional<SaveDialogChoice> choice;
  std::vector<std::pair<std::string, std::string>> questions;
  std::vector<std::pair<std::string, std::string>> dialogs;
};

}  // namespace cartulon::test_support
