#include "app/win32/controller_dialog.h"

#include "app/resources/resource_ids.h"
#include "app/win32/screen.h"
#include "navigation/engine_ports.h"

namespace corvisant {
namespace {

constexpr int kButtons[] = {button::kOn,  button::kAutoNavigation, button::kForward, button::kBack,
                            button::kRec, button::kTrack};

// The slide of a settings dialog out of the way of the manual.
constexpr DWORD kSlidePauseMs = 1000;
constexpr int kSlideStep = 20;
constexpr DWORD kSlideStepPauseMs = 5;

bool IsButton(int id) {
  for (int button : kButtons) {
    if (button == id) return true;
  }
  return false;
}

}  // namespace

ControllerDialog::~ControllerDialog() { Destroy(); }

bool ControllerDialog::Create(HWND owner, Controller& controller) {
  controller_ = &controller;
  window_ = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONTROLLER),
                                 owner, DialogProcedure, reinterpret_cast<LPARAM>(this));
  return window_ != nullptr;
}

void ControllerDialog::Destroy() {
  if (Exists()) ::DestroyWindow(window_);
  window_ = nullptr;
}

void ControllerDialog::Place(const RECT& frame) {
  if (!Exists()) return;
  RECT own;
  ::GetWindowRect(window_, &own);
  WindowRect placed =
      PlaceController(ToWindowRect(frame), own.right - own.left, own.bottom - own.top, TheScreen());
  ::SetWindowPos(window_, nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControllerDialog::Show() {
  if (Exists()) ::ShowWindow(window_, SW_SHOWNOACTIVATE);
}

HBITMAP ControllerDialog::Picture(int bitmapId) {
  auto found = pictures_.find(bitmapId);
  if (found == pictures_.end()) {
    HBITMAP loaded = static_cast<HBITMAP>(::LoadImageA(
        ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, 0));
    found = pictures_.emplace(bitmapId, BitmapHandle(loaded)).first;
  }
  return found->second.get();
}

void ControllerDialog::ShowPicture(int buttonId, int bitmapId) {
  if (!Exists()) return;
  ::SendDlgItemMessageA(window_, buttonId, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(Picture(bitmapId)));
}

void ControllerDialog::RedrawNow(int buttonId) {
  if (!Exists()) return;
  ::RedrawWindow(::GetDlgItem(window_, buttonId), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

INT_PTR CALLBACK ControllerDialog::DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<ControllerDialog*>(lParam)->window_ = window;
    return FALSE;
  }
  auto* self = reinterpret_cast<ControllerDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
  return self != nullptr ? self->HandleMessage(message, wParam) : FALSE;
}

INT_PTR ControllerDialog::HandleMessage(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(window_, &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client,
                 static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
      ::SetWindowLongPtrA(window_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(::GetStockObject(BLACK_BRUSH));
    case WM_COMMAND:
      // Every notification of a button counts as its click; the dialog's own handling goes on.
      if (IsButton(LOWORD(wParam)) && controller_ != nullptr) controller_->Click(LOWORD(wParam));
      return FALSE;
    case WM_DESTROY:
      window_ = nullptr;
      return FALSE;
  }
  return FALSE;
}

void SlideToLeftEdge(HWND window) {
  RECT rect;
  if (!::GetWindowRect(window, &rect)) return;
  ::Sleep(kSlidePauseMs);
  for (int left = rect.left - kSlideStep; left > 0; left -= kSlideStep) {
    ::SetWindowPos(window, nullptr, left, rect.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::Sleep(kSlideStepPauseMs);
  }
}

}  // namespace corvisant
