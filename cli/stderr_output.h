#pragma once
// How the batch command speaks on standard error, for the list run and the
// check alike: what the desktop program shows in message boxes as one
// "<caption>: <text>" line each, and its own errors as
// "cartulon-cli: <text>".
#include <string>

#include "platform/console.h"
#include "platform/message_sink.h"

namespace cartulon {

inline constexpr const char* kProgramName = "cartulon-cli";

class StderrSink : public MessageSink {
 public:
  void Show(const Message& message) override {
    WriteStandardError(message.caption + ": " + message.text + "\n");
  }
};

inline void PrintError(const std::string& text) {
  WriteStandardError(std::string(kProgramName) + ": " + text + "\n");
}

}  // namespace cartulon
