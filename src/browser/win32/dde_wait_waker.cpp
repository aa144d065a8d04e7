#include "browser/win32/dde_wait_waker.h"

namespace corvisant::win32 {
namespace {

// Often enough that a peer's connect waits a few milliseconds for us, not its time-out.
constexpr DWORD kWakeIntervalMs = 5;
// PeekMessage's window for the messages posted to the thread itself.
const HWND kThreadMessages = reinterpret_cast<HWND>(static_cast<INT_PTR>(-1));

HANDLE ManualResetEvent() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }

}  // namespace

DdeWaitWaker::DdeWaitWaker() : active_(ManualResetEvent()), stop_(ManualResetEvent()) {
  if (active_ && stop_)
    thread_.reset(CreateThread(nullptr, 0, &DdeWaitWaker::Run, this, 0, nullptr));
}

DdeWaitWaker::~DdeWaitWaker() {
  if (!thread_) return;
  SetEvent(stop_.get());
  WaitForSingleObject(thread_.get(), INFINITE);
}

DWORD WINAPI DdeWaitWaker::Run(LPVOID waker) {
  static_cast<DdeWaitWaker*>(waker)->Wake();
  return 0;
}

void DdeWaitWaker::Wake() {
  HANDLE events[] = {stop_.get(), active_.get()};
  while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    PostThreadMessageA(target_.load(), WM_NULL, 0, 0);
    if (WaitForSingleObject(stop_.get(), kWakeIntervalMs) == WAIT_OBJECT_0) return;
  }
}

DdeWaitWaker::During::During(DdeWaitWaker& waker) : waker_(waker) {
  if (!waker_.thread_ || waker_.depth_++ > 0) return;
  waker_.target_.store(GetCurrentThreadId());
  SetEvent(waker_.active_.get());
}

// The empty messages go; the messages sent meanwhile are delivered on the way.
DdeWaitWaker::During::~During() {
  if (!waker_.thread_ || --waker_.depth_ > 0) return;
  ResetEvent(waker_.active_.get());
  MSG message;
  while (PeekMessageA(&message, kThreadMessages, WM_NULL, WM_NULL, PM_REMOVE)) {
  }
}

}  // namespace corvisant::win32
