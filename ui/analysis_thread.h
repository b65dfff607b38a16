#pragma once
// The worker thread of one analysis (TAnalyzeSCD): scan, attach, layout
// rules and classification, away from the main thread, then the disc check
// of the tree built. Tree and findings are handed over once the thread has
// ended.
#include <QThread>

#include <memory>
#include <string>
#include <vector>

#include "describe/os_tags.h"
#include "model/dir_structure.h"
#include "platform/message_sink.h"
#include "shell/disc_check.h"

namespace cartulon {

class AnalysisThread : public QThread {
  Q_OBJECT

 public:
  // `messages` must outlive the thread; the passes report through it. The
  // check composes descriptions with `masters`, as Generate does.
  AnalysisThread(std::string scdPath, int depth, std::string rulesFilePath,
                 MasterFileLocations masters, MessageSink& messages, QObject* parent = nullptr);
  ~AnalysisThread() override;

  // The tree built, once the thread has ended; null when the analysis
  // failed with an exception (reported through the sink).
  std::unique_ptr<DirStructure> TakeResult();
  // The disc check of that tree, once the thread has ended.
  std::vector<Finding> TakeFindings();

  const std::string& ScdPath() const { return scdPath_; }
  int Depth() const { return depth_; }

 protected:
  void run() override;  // Execute

 private:
  const std::string scdPath_;
  const int depth_;
  const std::string rulesFilePath_;
  const MasterFileLocations masters_;
  MessageSink& messages_;
  std::unique_ptr<DirStructure> result_;
  std::vector<Finding> findings_;
};

}  // namespace cartulon
