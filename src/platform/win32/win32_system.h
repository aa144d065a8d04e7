#pragma once

#include "platform/sound.h"
#include "platform/system_folders.h"

namespace corvisant {

class Win32Sound : public Sound {
 public:
  bool PlayFile(const std::string& path) override;
};

class Win32SystemFolders : public SystemFolders {
 public:
  std::string WindowsDirectory() override;
};

}  // namespace corvisant
