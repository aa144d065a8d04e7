// The engine's browser watch over the real desktop against a running stand-in: the work window,
// the queue's clear, the tick. usage: browser_watch_check   (run in an empty store directory)
#include <windows.h>

#include <cstdio>

#include "app/process_objects.h"
#include "browser/win32/win32_dde.h"
#include "browser/win32/win32_desktop.h"
#include "navigation/desktop_browser_watch.h"

namespace {

using namespace corvisant;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) { Current<NavigationClock>()->OnTimer(); }

// Runs the message loop with the engine's timer until done() or the time is up; the seconds.
template <typename Done>
double RunUntil(Done done, DWORD limitMs) {
  UINT_PTR timer = ::SetTimer(nullptr, 0, tick::kTimerPeriodMs, OnTimer);
  ULONGLONG start = ::GetTickCount64();
  while (::GetTickCount64() - start < limitMs && !done()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
  }
  ::KillTimer(nullptr, timer);
  return (::GetTickCount64() - start) / 1000.0;
}

int ProgressDialogs(DesktopPort& desktop, std::uint32_t browser) {
  DialogRules rules(desktop, Current<BrowserLink>()->state().browserVersion);
  int count = 0;
  for (WindowHandle window : desktop.TopLevelWindows()) {
    count += desktop.ProcessOf(window) == browser && rules.IsBrowserProgressDialog(window);
  }
  return count;
}

int Check(bool passed, const char* what) {
  std::printf("%s: %s\n", passed ? "ok" : "FAILED", what);
  return passed ? 0 : 1;
}

}  // namespace

int main() {
  ProcessObjects process({SystemPorts()});
  StoreOptions program;
  program.use = StoreUse::kProgram;
  if (!process.OpenStore(program)) return 3;
  win32::Win32Dde dde(win32::DdeRole::kClientAndServer);
  win32::Win32Desktop desktop;
  process.OpenEngine(dde, &desktop);
  auto& watch = dynamic_cast<DesktopBrowserWatch&>(*Current<BrowserWatch>());
  BrowserLink& link = *Current<BrowserLink>();
  Current<BrowserControl>()->LinkOn(watch.BrowserProcessFound());
  WindowHandle work = watch.discovery().workWindow();
  std::uint32_t browser = desktop.ProcessOf(work);
  int faults = Check(Current<Preferences>()->linkOn && link.state().workWindowId, "link up");
  faults += Check(work != kNoWindow && !desktop.IsVisible(work), "the work window is hidden");

  for (const char* dialog : {"standin:progress?lang=1", "standin:progress?kind=location&lang=5",
                             "standin:progress385"}) {
    link.RequestOpen(dialog, false);
  }
  faults += Check(ProgressDialogs(desktop, browser) == 3, "three progress dialogs are up");
  Current<RequestQueue>()->clear();
  RunUntil([&] { return ProgressDialogs(desktop, browser) == 0; }, 3000);
  faults += Check(ProgressDialogs(desktop, browser) == 0, "the queue's clear dismissed them");

  link.RequestOpen("standin:quit", false);
  double seconds = RunUntil([] { return Current<Preferences>()->linkOn == 0; }, 15000);
  std::printf("the link went down %.1f s after the browser was told to close\n", seconds);
  faults += Check(seconds <= 6.0, "the tick noticed the browser's end within its 5 seconds");
  process.CloseStore();
  std::printf("%s\n", faults == 0 ? "passed" : "failed");
  return faults == 0 ? 0 : 1;
}
