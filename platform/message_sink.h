#pragma once
// The seam through which the core reports what the desktop program shows in
// message boxes. The desktop program shows them, the batch command prints
// them, tests record them.
#include <string>
#include <vector>

namespace cartulon {

// The caption of the program's own messages, and its window title.
inline constexpr const char* kApplicationTitle = "Zolt Cartulon";

// Plain is the platform's simple message dialog: no icon, one OK button.
enum class MessageKind { Error, Warning, Information, Plain };

struct Message {
  std::string caption;
  std::string text;
  MessageKind kind = MessageKind::Error;
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const Message& message) = 0;
};

// Keeps every message in order; for tests and for callers that report later.
class RecordingMessageSink : public MessageSink {
 public:
  void Show(const Message& message) override { messages.push_back(message); }
  std::vector<Message> messages;
};

// Drops every message.
class NullMessageSink : public MessageSink {
 public:
  void Show(const Message&) override {}
};

}  // namespace cartulon
