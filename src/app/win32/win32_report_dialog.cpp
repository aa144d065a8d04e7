#include "app/win32/win32_report_dialog.h"

#include <windows.h>

#include "app/resources/resource_ids.h"

namespace corvisant {
namespace {

constexpr const char* kMenuBarWindowClass = "Corvisant:MenuBarWindow";
constexpr UINT_PTR kSelfCloseTimerId = 100;
constexpr UINT kMillisecondsPerSecond = 1000;
// Where the error icon is painted, in pixels of the client area.
constexpr int kIconLeft = 28;
constexpr int kIconTop = 28;

struct DialogRequest {
  const std::string* text;
  int selfCloseSeconds;
};

void CentreOnScreen(HWND dialog) {
  RECT frame;
  ::GetWindowRect(dialog, &frame);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void InitialiseDialog(HWND dialog, const DialogRequest& request) {
  ::SetDlgItemTextA(dialog, IDC_ERROR_REPORT_TEXT, request.text->c_str());
  if (request.selfCloseSeconds > 0) {
    ::SetTimer(dialog, kSelfCloseTimerId,
               static_cast<UINT>(request.selfCloseSeconds) * kMillisecondsPerSecond, nullptr);
  }
  CentreOnScreen(dialog);
  ::SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(dialog);
}

void PaintErrorIcon(HWND dialog) {
  PAINTSTRUCT paint;
  HDC context = ::BeginPaint(dialog, &paint);
  ::DrawIcon(context, kIconLeft, kIconTop, ::LoadIconA(nullptr, IDI_HAND));
  ::EndPaint(dialog, &paint);
}

void CloseDialog(HWND dialog) {
  ::KillTimer(dialog, kSelfCloseTimerId);
  ::EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK ReportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitialiseDialog(dialog, *reinterpret_cast<const DialogRequest*>(lParam));
      return TRUE;  // the OK button takes the focus
    case WM_PAINT:
      PaintErrorIcon(dialog);
      return TRUE;
    case WM_TIMER:
      if (wParam != kSelfCloseTimerId) return FALSE;
      CloseDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      // OK, Enter, Escape and the close box all mean the user has seen the report.
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      CloseDialog(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void Win32ReportDialog::BringMenuBarToForeground() {
  HWND menuBar = ::FindWindowA(kMenuBarWindowClass, nullptr);
  if (menuBar != nullptr) ::SetForegroundWindow(menuBar);
}

void Win32ReportDialog::ShowModal(const std::string& text, int selfCloseSeconds) {
  DialogRequest request{&text, selfCloseSeconds};
  // Built without a parent of its own: like the framework it stands in for, the dialog is owned
  // by the application's main window (the menu-bar window) when there is one.
  HWND owner = ::FindWindowA(kMenuBarWindowClass, nullptr);
  ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ERROR_REPORT), owner,
                    ReportDialogProc, reinterpret_cast<LPARAM>(&request));
}

DialogReporter& ErrorDialogReporter() {
  static Win32ReportDialog dialog;
  static DialogReporter reporter(dialog);
  return reporter;
}

}  // namespace corvisant
