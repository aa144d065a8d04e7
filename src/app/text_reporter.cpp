#include "app/text_reporter.h"

#include <cstdlib>
#include <string>

#include "app/message_table.h"
#include "app/report_format.h"
#include "common/allocator.h"

namespace corvisant {

void TextReporter::Report(const ReportRequest& request) {
  const char* format = MessageText(request.messageId);
  std::string text = format != nullptr ? FormatReportText(format, request.arguments)
                                       : "message " + std::to_string(request.messageId);
  std::fprintf(out_, "%s: %s\n", programName_, text.c_str());
  std::fflush(out_);
  if (request.keepRunning == kReportFatal) std::exit(kFatalExitCode);
}

}  // namespace corvisant
