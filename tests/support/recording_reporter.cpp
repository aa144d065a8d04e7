#include "tests/support/recording_reporter.h"

namespace corvisant::testing {

std::string RecordingReporter::Lines() const {
  std::string lines;
  for (const ReportRequest& request : reports_) {
    lines += std::to_string(request.messageId) + " " + std::to_string(request.keepRunning) + " " +
             std::to_string(request.selfCloseSeconds);
    for (const ReportArgument& argument : request.arguments) {
      lines +=
          argument.isText ? " \"" + argument.text + "\"" : " " + std::to_string(argument.number);
    }
    lines += "\n";
  }
  return lines;
}

std::vector<int> RecordingReporter::ids() const {
  std::vector<int> ids;
  for (const ReportRequest& request : reports_) ids.push_back(request.messageId);
  return ids;
}

}  // namespace corvisant::testing
