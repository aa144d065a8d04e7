// Keeps every report raised while it lives (installed as the process-wide reporter), and puts the
// previous reporter back afterwards.
#pragma once

#include <string>
#include <vector>

#include "platform/report.h"

namespace corvisant::testing {

class RecordingReporter : public Reporter {
 public:
  RecordingReporter() = default;
  RecordingReporter(const RecordingReporter&) = delete;
  RecordingReporter& operator=(const RecordingReporter&) = delete;

  void Report(const ReportRequest& request) override { reports_.push_back(request); }
  const std::vector<ReportRequest>& reports() const { return reports_; }
  // The message ids in the order they were raised.
  std::vector<int> ids() const;
  // Every report as one line, "ID KEEP SECONDS ARG...", numbers plain and texts in double quotes
  // (KEEP: 1 keeps running, 0 is fatal), so that a test compares all it saw at once.
  std::string Lines() const;
  void Clear() { reports_.clear(); }

 private:
  Installed<Reporter> installed_{this};
  std::vector<ReportRequest> reports_;
};

}  // namespace corvisant::testing
