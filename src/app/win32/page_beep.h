// The beep that answers a page the browser cannot be given: a list entry or a hotlist without a
// file to show.
#pragma once

#include <windows.h>

namespace corvisant {

constexpr DWORD kPageBeepHertz = 440;
constexpr DWORD kPageBeepMilliseconds = 500;

inline void BeepPageNotShown() { ::Beep(kPageBeepHertz, kPageBeepMilliseconds); }

}  // namespace corvisant
