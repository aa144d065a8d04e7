// The error dialog in Win32: dialog resource 193 with the message in static 1103, the error
// icon painted beside it, centred, topmost and in the foreground; a self-closing dialog closes
// on its timer as if OK were pressed.
#pragma once

#include "app/report_dialog.h"
#include "app/reporting.h"

namespace corvisant {

class Win32ReportDialog : public ReportDialog {
 public:
  void BringMenuBarToForeground() override;
  void ShowModal(const std::string& text, int selfCloseSeconds) override;
};

// The reporter that shows the error dialog, made once; the wiring place installs it as the
// process's reporter. The executable must carry the program's resources.
DialogReporter& ErrorDialogReporter();

}  // namespace corvisant
