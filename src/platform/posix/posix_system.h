// The POSIX side has no sound device of the system's own and no Windows directory: it plays
// nothing, and names the folder the tests and the tool are given instead.
#pragma once

#include "platform/sound.h"
#include "platform/system_folders.h"

namespace corvisant {

class SilentSound : public Sound {
 public:
  bool PlayFile(const std::string& path) override;
};

// The Windows directory as the environment variable CORVISANT_WINDIR names it (a Windows-form
// path), else "Z:\windows".
class PosixSystemFolders : public SystemFolders {
 public:
  std::string WindowsDirectory() override;
};

}  // namespace corvisant
