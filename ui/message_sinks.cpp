#include "ui/message_sinks.h"

#include <QMetaObject>
#include <QThread>

#include "ui/thread_handoff.h"

namespace cartulon {

void DialogMessageSink::Show(const Message& message) { dialogs_.ShowMessage(nullptr, message); }

MainThreadMessageSink::MainThreadMessageSink(Dialogs& dialogs, QObject* mainThreadObject)
    : dialogs_(dialogs), target_(mainThreadObject) {}

void MainThreadMessageSink::Show(const Message& message) {
  if (silenced_) return;
  if (QThread::currentThread() == target_->thread()) {
    dialogs_.ShowMessage(nullptr, message);
    return;
  }
  // Should the target go before the main thread gets to the call, the call
  // is dropped and the wait released.
  HandOffRelease(&message);
  QMetaObject::invokeMethod(
      target_,
      [this, &message] {
        HandOffAcquire(&message);
        if (!silenced_) dialogs_.ShowMessage(nullptr, message);
        HandOffRelease(&message);
      },
      Qt::BlockingQueuedConnection);
  HandOffAcquire(&message);
}

bool DialogPrompts::AskYesNo(const std::string& caption, const std::string& text) {
  return dialogs_.AskYesNo(owner_, caption, text);
}

std::optional<SaveDialogChoice> DialogPrompts::AskSaveFile(const std::string& initialFolder,
                                                          const std::string& filter) {
  return dialogs_.AskSaveFile(owner_, initialFolder, filter);
}

}  // namespace cartulon
