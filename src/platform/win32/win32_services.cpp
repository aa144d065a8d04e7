// The Win32 side of the system services: the clock, PlaySoundA and the Windows directory.
#include <windows.h>

#include "platform/system_services.h"
// After windows.h, which it needs.
#include <mmsystem.h>

#include <ctime>

namespace corvisant {

UnixTime SystemClock::Now() { return static_cast<UnixTime>(std::time(nullptr)); }

void SystemClock::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

bool SystemSound::PlayFile(const std::string& path) {
  // SND_FILENAME (0x20000): the name is a file name; without SND_ASYNC the call returns when
  // the sound has ended.
  return ::PlaySoundA(path.c_str(), nullptr, SND_FILENAME) != FALSE;
}

std::string SystemFolderLookup::WindowsDirectory() {
  char buffer[MAX_PATH + 1];
  UINT length = ::GetWindowsDirectoryA(buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return std::string();
  std::string directory(buffer, length);
  if (directory.size() > 3 && directory.back() == '\\') directory.pop_back();
  return directory;
}

}  // namespace corvisant
