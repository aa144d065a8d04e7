// Keeps every report raised while it lives, and restores the previous reporter afterwards.
#pragma once

#include <vector>

#include "platform/report.h"

namespace corvisant::testing {

class RecordingReporter : public Reporter {
 public:
  RecordingReporter() : previous_(SetReporter(this)) {}
  ~RecordingReporter() override { SetReporter(previous_); }
  RecordingReporter(const RecordingReporter&) = delete;
  RecordingReporter& operator=(const RecordingReporter&) = delete;

  void Report(const ReportRequest& request) override { reports_.push_back(request); }
  const std::vector<ReportRequest>& reports() const { return reports_; }
  // The message ids in the order they were raised.
  std::vector<int> ids() const;

 private:
  Reporter* previous_;
  std::vector<ReportRequest> reports_;
};

}  // namespace corvisant::testing
