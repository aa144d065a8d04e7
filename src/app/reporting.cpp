#include "app/reporting.h"

#include <cstdlib>
#include <string>

#include "app/message_table.h"
#include "app/report_format.h"
#include "common/allocator.h"

namespace corvisant {

void DialogReporter::Report(const ReportRequest& request) {
  // One report at a time: the flag is taken in one step, so a report from a timer or another
  // thread while the dialog is open finds it set and is dropped.
  if (reporting_.exchange(true)) return;

  const char* format = MessageText(request.messageId);
  std::string text =
      FormatReportText(std::string_view(format != nullptr ? format : "").substr(0, kMessageTextMax),
                       request.arguments);
  dialog_.BringMenuBarToForeground();
  bool mayCloseItself = request.selfCloseSeconds > 0 && AutomaticBrowsingRuns();
  dialog_.ShowModal(text, mayCloseItself ? request.selfCloseSeconds : kReportNeverCloses);

  reporting_.store(false);
  if (request.keepRunning == kReportFatal) std::exit(kFatalExitCode);
}

}  // namespace corvisant
