// The operating system's clock, sound and folders. Declared once; each platform side defines
// them. The POSIX side has no sound device of the system's own and no Windows directory: it plays
// nothing, and takes the Windows directory from CORVISANT_WINDIR (a Windows-form path), else
// "Z:\windows".
#pragma once

#include "platform/clock.h"
#include "platform/sound.h"
#include "platform/system_folders.h"

namespace corvisant {

class SystemClock final : public Clock {
 public:
  UnixTime Now() override;
  void Sleep(unsigned milliseconds) override;
};

class SystemSound final : public Sound {
 public:
  bool PlayFile(const std::string& path) override;
};

class SystemFolderLookup final : public SystemFolders {
 public:
  std::string WindowsDirectory() override;
};

}  // namespace corvisant
