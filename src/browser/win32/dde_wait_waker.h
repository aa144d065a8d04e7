// Keeps a thread that waits inside DDEML answering the messages other programs send it.
//
// Wine's DDEML waits for a reply (a transaction, and the acknowledgement of a disconnect, up to
// 10 s) in a loop that wakes only for posted messages; a message sent to the waiting thread is
// delivered only when the loop next looks at its queue. The browser connects to this system's
// server by sending its initiate to every top-level window, and it does so right after it has
// answered a request of ours: while it waits for our windows it cannot take our disconnect, and
// both sides stall until a time-out ends the wait. On Windows the wait is a modal loop that
// takes sent messages at once; this gives the same under Wine: while a DDE call is in progress a
// helper thread posts the calling thread an empty thread message every few milliseconds, and each
// wake lets the waiting loop deliver what was sent. The empty messages are removed afterwards.
#pragma once

// clang-format off
#include <windows.h>
// clang-format on

#include <atomic>
#include <memory>

namespace corvisant::win32 {

struct CloseKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// An event or thread handle, closed when it goes (HANDLE is a pointer type).
using KernelHandle = std::unique_ptr<void, CloseKernelHandle>;

class DdeWaitWaker {
 public:
  // Without its events or thread the waker does nothing, and DDE works as DDEML gives it.
  DdeWaitWaker();
  ~DdeWaitWaker();
  DdeWaitWaker(const DdeWaitWaker&) = delete;
  DdeWaitWaker& operator=(const DdeWaitWaker&) = delete;

  // Wakes the thread that makes it while it lives. Calls may nest (an echo that arrives during a
  // transaction may make one of its own); they come from one thread.
  class During {
   public:
    explicit During(DdeWaitWaker& waker);
    ~During();
    During(const During&) = delete;
    During& operator=(const During&) = delete;

   private:
    DdeWaitWaker& waker_;
  };

 private:
  static DWORD WINAPI Run(LPVOID waker);
  void Wake();

  KernelHandle active_;  // manual reset: set while a DDE call is in progress
  KernelHandle stop_;    // manual reset: set when the waker ends
  KernelHandle thread_;
  std::atomic<DWORD> target_{0};
  int depth_ = 0;
};

}  // namespace corvisant::win32
