#pragma once
// The analysis of the desktop program, away from the main thread: the
// worker builds the tree and runs the disc check on it; the main thread
// takes both once the worker has ended. The worker's messages wait in a
// hand-off until the main thread shows them (message boxes belong to the
// main thread), and the worker waits until each is dismissed.
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "describe/os_tags.h"
#include "model/dir_structure.h"
#include "platform/message_sink.h"
#include "shell/disc_check.h"

namespace cartulon {

struct AnalysisJob {
  std::string root;  // without trailing delimiter
  int depth = 6;
  std::string rulesFilePath;
  // Where the master file is; the worker reads it once for the analysis,
  // the check and the previews and saves of the tree it builds.
  MasterFileLocations masters;
};

struct AnalysisResult {
  std::unique_ptr<DirStructure> tree;  // null when nothing was built
  std::vector<Finding> findings;
  MasterFileLocations masters;  // holding the analysis's reading
};

// The thread seam: one analysis at a time.
class AnalysisWorker {
 public:
  virtual ~AnalysisWorker() = default;
  // Starts the job; its messages go to `messages`, from the worker's thread.
  virtual void Start(AnalysisJob job, MessageSink& messages) = 0;
  // Waits at most `milliseconds` for the job to end; true when it has.
  virtual bool WaitFor(int milliseconds) = 0;
  // The result once WaitFor has said the job ended.
  virtual AnalysisResult Take() = 0;
};

// Runs the job on a thread of its own.
class ThreadAnalysisWorker : public AnalysisWorker {
 public:
  ThreadAnalysisWorker() = default;
  ~ThreadAnalysisWorker() override;
  void Start(AnalysisJob job, MessageSink& messages) override;
  bool WaitFor(int milliseconds) override;
  AnalysisResult Take() override;

 private:
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable ended_;
  bool done_ = false;
  AnalysisResult result_;
};

// The analysis itself, as the worker runs it: the four passes, then the
// disc check of the tree built. An exception is reported and gives no tree.
AnalysisResult RunAnalysisJob(const AnalysisJob& job, MessageSink& messages);

// Messages of a worker thread, handed to the main thread. Show() (worker)
// queues the message and waits until the main thread has shown it through
// Deliver(); after Silence() messages are dropped and nobody waits.
class MessageHandOff : public MessageSink {
 public:
  void Show(const Message& message) override;
  // Main thread: shows every queued message, oldest first, then lets the
  // waiting worker go on.
  void Deliver(MessageSink& mainThread);
  void Silence();

 private:
  std::mutex mutex_;
  std::condition_variable shown_;
  std::deque<Message> queued_;
  unsigned long long queuedCount_ = 0;
  unsigned long long shownCount_ = 0;
  bool silenced_ = false;
};

}  // namespace cartulon
