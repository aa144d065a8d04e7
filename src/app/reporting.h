// The program's reporter: a report becomes its string-table message, filled with its arguments
// and shown in the error dialog, one at a time. A report raised while the dialog is open is
// dropped. A report may close itself only while the system browses on its own, so that hours
// of unattended browsing are not stopped by a dialog; a fatal report ends the process with -1
// once the dialog has closed.
#pragma once

#include <atomic>
#include <functional>

#include "app/report_dialog.h"
#include "platform/report.h"

namespace corvisant {

// Answers whether automatic browsing (an auto navigation or a replay) is running now.
using AutomaticBrowsingQuery = std::function<bool()>;

class DialogReporter : public Reporter {
 public:
  explicit DialogReporter(ReportDialog& dialog) : dialog_(dialog) {}

  // Until a query is installed, automatic browsing counts as not running.
  void SetAutomaticBrowsingQuery(AutomaticBrowsingQuery query) { browsingRuns_ = std::move(query); }
  // True while a report dialog is open.
  bool reporting() const { return reporting_.load(); }

  void Report(const ReportRequest& request) override;

 private:
  bool AutomaticBrowsingRuns() const { return browsingRuns_ && browsingRuns_(); }

  ReportDialog& dialog_;
  AutomaticBrowsingQuery browsingRuns_;
  std::atomic<bool> reporting_{false};
};

}  // namespace corvisant
