// The memory failure as the user sees it: a standard message box titled "Error" over the
// menu-bar window, then the end of the process with exit code -1.
#include "platform/win32/memory_failure_box.h"

#include <windows.h>

namespace corvisant {
namespace {

constexpr const char* kMenuBarWindowClass = "Corvisant:MenuBarWindow";

class MessageBoxMemoryFailure : public MemoryFailureHandler {
 public:
  void ReportMemoryFailure(std::size_t size) override {
    char text[kMemoryFailureTextMax];
    FormatMemoryFailure(size, text);
    HWND owner = ::FindWindowA(kMenuBarWindowClass, nullptr);
    if (owner != nullptr) ::SetForegroundWindow(owner);
    ::MessageBoxA(owner, text, kMemoryFailureTitle, MB_OK | MB_ICONERROR);
    ::ExitProcess(static_cast<UINT>(kFatalExitCode));
  }
};

}  // namespace

MemoryFailureHandler* MessageBoxMemoryFailureHandler() {
  static MessageBoxMemoryFailure handler;
  return &handler;
}

}  // namespace corvisant
