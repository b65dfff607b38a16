#pragma once
// The worker thread of one analysis (TAnalyzeSCD): scan, attach, layout
// rules and classification, away from the main thread. The tree it builds
// is handed over once the thread has ended.
#include <QThread>

#include <memory>
#include <string>

#include "model/dir_structure.h"
#include "platform/message_sink.h"

namespace cartulon {

class AnalysisThread : public QThread {
  Q_OBJECT

 public:
  // `messages` must outlive the thread; the passes report through it.
  AnalysisThread(std::string scdPath, int depth, std::string rulesFilePath, MessageSink& messages,
                 QObject* parent = nullptr);
  ~AnalysisThread() override;

  // The tree built, once the thread has ended; null when the analysis
  // failed with an exception (reported through the sink).
  std::unique_ptr<DirStructure> TakeResult();

  const std::string& ScdPath() const { return scdPath_; }
  int Depth() const { return depth_; }

 protected:
  void run() override;  // Execute

 private:
  const std::string scdPath_;
  const int depth_;
  const std::string rulesFilePath_;
  MessageSink& messages_;
  std::unique_ptr<DirStructure> result_;
};

}  // namespace cartulon
