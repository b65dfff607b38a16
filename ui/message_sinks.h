#pragma once
// The core's message and question seams answered with the toolkit's boxes.
#include <QWidget>

#include <atomic>

#include "platform/message_sink.h"
#include "platform/prompts.h"
#include "ui/dialogs.h"

namespace cartulon {

// Shows each message in a box without an owner window. Main thread only.
class DialogMessageSink : public MessageSink {
 public:
  explicit DialogMessageSink(Dialogs& dialogs) : dialogs_(dialogs) {}
  void Show(const Message& message) override;

 private:
  Dialogs& dialogs_;
};

// For a worker thread: each message is handed to the main thread, which
// shows it while the worker waits until it is dismissed. On the main thread
// itself the box is shown directly.
class MainThreadMessageSink : public MessageSink {
 public:
  // `mainThreadObject` lives in the main thread and outlives every worker
  // that uses the sink; messages are dropped after Silence().
  MainThreadMessageSink(Dialogs& dialogs, QObject* mainThreadObject);
  void Show(const Message& message) override;
  // Drops every later message (the program is closing).
  void Silence() { silenced_ = true; }

 private:
  Dialogs& dialogs_;
  QObject* target_;
  std::atomic<bool> silenced_{false};
};

// Questions and the save dialog, owned by one window.
class DialogPrompts : public UserPrompts {
 public:
  DialogPrompts(Dialogs& dialogs, QWidget* owner) : dialogs_(dialogs), owner_(owner) {}
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  std::optional<SaveDialogChoice> AskSaveFile(const std::string& initialFolder,
                                              const std::string& filter) override;

 private:
  Dialogs& dialogs_;
  QWidget* owner_;
};

}  // namespace cartulon
