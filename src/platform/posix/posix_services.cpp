// The POSIX side of the system services: a real clock, no sound, a named Windows directory.
#include <time.h>

#include <cerrno>
#include <cstdlib>

#include "platform/system_services.h"

namespace corvisant {

UnixTime SystemClock::Now() { return static_cast<UnixTime>(::time(nullptr)); }

void SystemClock::Sleep(unsigned milliseconds) {
  constexpr long kNanosecondsPerMillisecond = 1000000L;
  timespec wait{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * kNanosecondsPerMillisecond};
  while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

bool SystemSound::PlayFile(const std::string&) { return true; }

std::string SystemFolderLookup::WindowsDirectory() {
  const char* named = std::getenv("CORVISANT_WINDIR");
  return named != nullptr && *named != '\0' ? std::string(named) : std::string("Z:\\windows");
}

}  // namespace corvisant
