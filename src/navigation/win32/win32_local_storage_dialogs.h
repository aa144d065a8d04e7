// The local store's dialogs in Win32: the modal question "Create a density file again?" (dialog
// 185) and the modeless "Scanning Disk" progress (dialog 184). The executable must carry the
// program's resources.
#pragma once

#include "navigation/local_storage_dialogs.h"

namespace corvisant {

class Win32LocalStorageDialogs : public LocalStorageDialogs {
 public:
  DensityAnswer AskRecreateDensity() override;
  std::unique_ptr<ScanningDialog> OpenScanningDialog(std::string_view label) override;
};

}  // namespace corvisant
