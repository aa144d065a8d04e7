// A system-folders port that names a Windows directory chosen by the test.
#pragma once

#include <string>
#include <utility>

#include "platform/system_folders.h"

namespace corvisant::testing {

class FixedFolders : public SystemFolders {
 public:
  explicit FixedFolders(std::string windowsDirectory) : windows_(std::move(windowsDirectory)) {}
  std::string WindowsDirectory() override { return windows_; }

 private:
  std::string windows_;
};

}  // namespace corvisant::testing
