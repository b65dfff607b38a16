#include "desktop/analysis_worker.h"

#include <chrono>
#include <exception>
#include <utility>

#include "shell/run_preparation.h"

namespace cartulon {

AnalysisResult RunAnalysisJob(const AnalysisJob& job, MessageSink& messages) {
  AnalysisResult result;
  try {
    // The check runs here so that the main thread never waits for it.
    AnalysedDisc analysed =
        AnalyseDisc(job.root, job.depth, job.rulesFilePath, job.masters, true, messages);
    result.tree = std::move(analysed.tree);
    result.findings = std::move(analysed.findings);
    result.masters = std::move(analysed.masters);
  } catch (const std::exception& error) {
    result = AnalysisResult{};
    messages.Show({kApplicationTitle, error.what(), MessageKind::Error});
  }
  return result;
}

ThreadAnalysisWorker::~ThreadAnalysisWorker() {
  if (thread_.joinable()) thread_.join();
}

void ThreadAnalysisWorker::Start(AnalysisJob job, MessageSink& messages) {
  if (thread_.joinable()) thread_.join();
  done_ = false;
  thread_ = std::thread([this, job = std::move(job), &messages] {
    AnalysisResult result = RunAnalysisJob(job, messages);
    std::lock_guard<std::mutex> lock(mutex_);
    result_ = std::move(result);
    done_ = true;
    ended_.notify_all();
  });
}

bool ThreadAnalysisWorker::WaitFor(int milliseconds) {
  if (!thread_.joinable()) return true;
  std::unique_lock<std::mutex> lock(mutex_);
  return ended_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return done_; });
}

AnalysisResult ThreadAnalysisWorker::Take() {
  if (thread_.joinable()) thread_.join();
  std::lock_guard<std::mutex> lock(mutex_);
  done_ = false;
  return std::move(result_);
}

void MessageHandOff::Show(const Message& message) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (silenced_) return;
  queued_.push_back(message);
  const unsigned long long ticket = ++queuedCount_;
  shown_.wait(lock, [&] { return silenced_ || shownCount_ >= ticket; });
}

void MessageHandOff::Deliver(MessageSink& mainThread) {
  while (true) {
    Message message;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (queued_.empty()) return;
      message = std::move(queued_.front());
      queued_.pop_front();
    }
    // Shown without the lock: a box runs its own loop, and the worker's next
    // message may arrive meanwhile.
    mainThread.Show(message);
    std::lock_guard<std::mutex> lock(mutex_);
    ++shownCount_;
    shown_.notify_all();
  }
}

void MessageHandOff::Silence() {
  std::lock_guard<std::mutex> lock(mutex_);
  silenced_ = true;
  queued_.clear();
  shown_.notify_all();
}

}  // namespace cartulon
