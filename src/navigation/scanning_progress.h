// The "Scanning Disk" progress of a long walk over the store: counters of the files scanned and
// found, the name of the last one found, and the Stop button. Every tenth file scanned the walk
// lets the application handle its waiting messages, so that the window stays responsive and Stop
// can be pressed.
#pragma once

#include <string_view>

namespace corvisant {

// The dialog as the walk drives it; closed when it goes.
class ScanningDialog {
 public:
  virtual ~ScanningDialog() = default;
  virtual void ShowScanned(int count) = 0;
  virtual void ShowFound(int count, std::string_view name) = 0;
  // Handles every waiting message of the application; true when Stop was pressed or the dialog
  // was closed.
  virtual bool HandleMessagesAndStopped() = 0;
};

class ScanProgress {
 public:
  // dialog: null for a walk that nobody watches (it is never stopped).
  explicit ScanProgress(ScanningDialog* dialog) : dialog_(dialog) {}

  // One more file scanned, and found when it counts: false when the walk is to stop.
  bool Count(bool found, std::string_view name);

  int scanned() const { return scanned_; }
  int found() const { return found_; }

 private:
  ScanningDialog* dialog_;
  int scanned_ = 0;
  int found_ = 0;
};

}  // namespace corvisant
