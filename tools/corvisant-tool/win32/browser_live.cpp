#include "tools/corvisant-tool/browser_live.h"

#include "browser/win32/win32_dde.h"

namespace corvisant::tool {
namespace {

class Win32LiveDde : public LiveDde {
 public:
  explicit Win32LiveDde(bool serve)
      : dde_(serve ? win32::DdeRole::kClientAndServer : win32::DdeRole::kClient) {}

  bool started() const { return dde_.started(); }
  DdePort& port() override { return dde_; }

  void PumpMessages(unsigned milliseconds) override {
    ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
  }

 private:
  win32::Win32Dde dde_;
};

}  // namespace

std::unique_ptr<LiveDde> OpenLiveDde(bool serve) {
  auto live = std::make_unique<Win32LiveDde>(serve);
  if (!live->started()) return nullptr;
  return live;
}

}  // namespace corvisant::tool
