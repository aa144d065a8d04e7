#include "platform/win32/win32_clock.h"

#include <windows.h>

#include <ctime>

namespace corvisant {

UnixTime Win32Clock::Now() { return static_cast<UnixTime>(std::time(nullptr)); }

void Win32Clock::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

}  // namespace corvisant
