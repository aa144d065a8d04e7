#include "platform/report.h"

#include <cstdio>
#include <cstdlib>

#include "common/allocator.h"

namespace corvisant {
namespace {

// Before the error dialog exists (and in the tool), a report is a line on stderr.
class StderrReporter : public Reporter {
 public:
  void Report(const ReportRequest& request) override {
    std::fprintf(stderr, "Corvisant: message %d", request.messageId);
    for (const ReportArgument& argument : request.arguments) {
      if (argument.isText) {
        std::fprintf(stderr, " \"%s\"", argument.text.c_str());
      } else {
        std::fprintf(stderr, " %lld", argument.number);
      }
    }
    std::fputc('\n', stderr);
    std::fflush(stderr);
    if (request.keepRunning == kReportFatal) std::exit(kFatalExitCode);
  }
};

StderrReporter defaultReporter;

}  // namespace

void Report(int keepRunning, int selfCloseSeconds, int messageId,
            std::initializer_list<ReportArgument> arguments) {
  ReportRequest request;
  request.keepRunning = keepRunning;
  request.selfCloseSeconds = selfCloseSeconds;
  request.messageId = messageId;
  request.arguments.assign(arguments.begin(), arguments.end());
  Reporter* installed = Current<Reporter>();
  (installed != nullptr ? *installed : defaultReporter).Report(request);
}

}  // namespace corvisant
