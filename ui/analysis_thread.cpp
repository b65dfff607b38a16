#include "ui/analysis_thread.h"

#include <exception>

#include "shell/analysis.h"

namespace cartulon {

AnalysisThread::AnalysisThread(std::string scdPath, int depth, std::string rulesFilePath,
                               MessageSink& messages, QObject* parent)
    : QThread(parent),
      scdPath_(std::move(scdPath)),
      depth_(depth),
      rulesFilePath_(std::move(rulesFilePath)),
      messages_(messages) {}

AnalysisThread::~AnalysisThread() { wait(); }

std::unique_ptr<DirStructure> AnalysisThread::TakeResult() {
  if (!isFinished()) return nullptr;
  return std::move(result_);
}

void AnalysisThread::run() {
  try {
    result_ = RunAnalysis(scdPath_, depth_, rulesFilePath_, messages_);
  } catch (const std::exception& error) {
    result_.reset();
    messages_.Show({kApplicationTitle, error.what(), MessageKind::Error});
  }
}

}  // namespace cartulon
