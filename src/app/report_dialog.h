// The error dialog as the report logic drives it. The Win32 side shows the real dialog; tests
// use a double.
#pragma once

#include <string>

namespace corvisant {

class ReportDialog {
 public:
  virtual ~ReportDialog() = default;
  // Brings the menu-bar window to the foreground, when there is one.
  virtual void BringMenuBarToForeground() = 0;
  // Shows the dialog with text and returns when it has closed. With selfCloseSeconds above 0 it
  // closes itself after that many seconds as if OK had been pressed; with 0 it waits for OK.
  virtual void ShowModal(const std::string& text, int selfCloseSeconds) = 0;
};

}  // namespace corvisant
