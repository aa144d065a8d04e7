// What the random pick from the local store asks of the user: whether existing density files are
// used again, and the progress of the walk that makes them anew. The application installs its
// dialogs as the process-wide object of this type; the tool answers from its options. Without
// one, the files there are used and missing ones are made without a progress display.
#pragma once

#include <memory>
#include <string_view>

#include "navigation/scanning_progress.h"

namespace corvisant {

enum class DensityAnswer { kRecreate, kUseOld, kCancel };

// The label of the scanning dialog while HTML files are counted.
constexpr const char* kHtmlFilesFoundLabel = "HTML files found:";

class LocalStorageDialogs {
 public:
  virtual ~LocalStorageDialogs() = default;
  // "Create a density file again?": "recreate" (the default), "use old one" or "Cancel".
  virtual DensityAnswer AskRecreateDensity() = 0;
  // The modeless "Scanning Disk" dialog, shown with its label and its counters at 0; null when it
  // cannot be shown (the walk then runs unwatched).
  virtual std::unique_ptr<ScanningDialog> OpenScanningDialog(std::string_view label) = 0;
};

}  // namespace corvisant
