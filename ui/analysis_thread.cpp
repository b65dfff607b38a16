#include "ui/analysis_thread.h"

#include <exception>
#include <utility>

#include "shell/run_preparation.h"
#include "ui/thread_handoff.h"

namespace cartulon {

AnalysisThread::AnalysisThread(std::string scdPath, int depth, std::string rulesFilePath,
                               MasterFileLocations masters, MessageSink& messages, QObject* parent)
    : QThread(parent),
      scdPath_(std::move(scdPath)),
      depth_(depth),
      rulesFilePath_(std::move(rulesFilePath)),
      masters_(std::move(masters)),
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

std::vector<Finding> AnalysisThread::TakeFindings() {
  if (!isFinished()) return {};
  HandOffAcquire(this);
  return std::move(findings_);
}

void AnalysisThread::run() {
  try {
    // The check runs here so that the main thread never waits for it.
    AnalysedDisc analysed =
        AnalyseDisc(scdPath_, depth_, rulesFilePath_, masters_, true, messages_);
    result_ = std::move(analysed.tree);
    findings_ = std::move(analysed.findings);
  } catch (const std::exception& error) {
    result_.reset();
    findings_.clear();
    messages_.Show({kApplicationTitle, error.what(), MessageKind::Error});
  }
  // The tree and the findings go to the main thread once the thread has
  // ended.
  HandOffRelease(this);
}

}  // namespace cartulon
