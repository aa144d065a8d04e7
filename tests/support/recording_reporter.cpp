#include "tests/support/recording_reporter.h"

namespace corvisant::testing {

std::vector<int> RecordingReporter::ids() const {
  std::vector<int> ids;
  for (const ReportRequest& request : reports_) ids.push_back(request.messageId);
  return ids;
}

}  // namespace corvisant::testing
