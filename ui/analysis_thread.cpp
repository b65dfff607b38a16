#include "ui/analysis_thread.h"

#include <exception>

#include "shell/analysis.h"
#include "ui/thread_handoff.h"

namespace cartulon {

AnalysisThread::AnalysisThread(std::string scdPath, int depth, std::string rulesFilePath,
                               MessageSink& messages, QObject* parent)
    : QThread(parent),
      scdPath_(std::move(scdPath)),
      depth_(depth),
      rulesFilePath_(std::move(rulesFilePath)),
      messages_(messages) {}

AnalysisThread::~AnalysisThread() {
  wait();
  HandOffAcquire(this);
}

std::unique_ptr<DirStructure> AnalysisThread::TakeResult() {
  if (!isFinished()) return nullptr;
  HandOffAcquire(this);
  return std::move(result_);
}

void AnalysisThread::run() {
  try {
    result_ = RunAnalysis(scdPath_, depth_, rulesFilePath_, messages_);
  } catch (const std::exception& error) {
    result_.reset();
    messages_.Show({kApplicationTitle, error.what(), MessageKind::Error});
  }
  // The tree goes to the main thread once the thread has ended.
  HandOffRelease(this);
}

}  // namespace cartulon
