#include "platform/posix/posix_clock.h"

#include <time.h>

#include <cerrno>

namespace corvisant {

UnixTime PosixClock::Now() { return static_cast<UnixTime>(::time(nullptr)); }

void PosixClock::Sleep(unsigned milliseconds) {
  constexpr long kNanosecondsPerMillisecond = 1000000L;
  timespec wait{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * kNanosecondsPerMillisecond};
  while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

}  // namespace corvisant
