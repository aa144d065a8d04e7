#include "navigation/win32/win32_local_storage_dialogs.h"

#include <windows.h>

#include <string>

#include "app/resources/resource_ids.h"

namespace corvisant {
namespace {

constexpr const char* kMenuBarWindowClass = "Corvisant:MenuBarWindow";
// Where the question icon is painted, in pixels of the client area.
constexpr int kIconLeft = 28;
constexpr int kIconTop = 28;

// The dialogs are owned by the application's main window when there is one.
HWND Owner() { return ::FindWindowA(kMenuBarWindowClass, nullptr); }

void PaintQuestionIcon(HWND dialog) {
  PAINTSTRUCT paint;
  HDC context = ::BeginPaint(dialog, &paint);
  ::DrawIcon(context, kIconLeft, kIconTop, ::LoadIconA(nullptr, IDI_QUESTION));
  ::EndPaint(dialog, &paint);
}

INT_PTR CALLBACK DensityQuestionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;  // "recreate", the default button, takes the focus
    case WM_PAINT:
      PaintQuestionIcon(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_DENSITY_RECREATE:
          ::EndDialog(dialog, static_cast<INT_PTR>(DensityAnswer::kRecreate));
          return TRUE;
        case IDC_DENSITY_USE_OLD:
          ::EndDialog(dialog, static_cast<INT_PTR>(DensityAnswer::kUseOld));
          return TRUE;
        case IDCANCEL:  // Cancel, Escape and the close box
          ::EndDialog(dialog, static_cast<INT_PTR>(DensityAnswer::kCancel));
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

// What the Scanning Disk dialog's procedure sets: Stop pressed, or the dialog closed.
struct ScanState {
  bool stopped = false;
};

INT_PTR CALLBACK ScanningProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ::SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
      return TRUE;
    case WM_COMMAND:
    case WM_CLOSE: {
      bool stop =
          message == WM_CLOSE || LOWORD(wParam) == IDC_SCAN_STOP || LOWORD(wParam) == IDCANCEL;
      auto* state = reinterpret_cast<ScanState*>(::GetWindowLongPtrA(dialog, GWLP_USERDATA));
      if (!stop || state == nullptr) return FALSE;
      state->stopped = true;
      return TRUE;
    }
    default:
      return FALSE;
  }
}

void ShowNumber(HWND dialog, int id, int value) {
  ::SetDlgItemInt(dialog, id, static_cast<UINT>(value), FALSE);
  ::UpdateWindow(::GetDlgItem(dialog, id));
}

class Win32ScanningDialog : public ScanningDialog {
 public:
  explicit Win32ScanningDialog(std::string_view label)
      : dialog_(::CreateDialogParamA(::GetModuleHandleA(nullptr),
                                     MAKEINTRESOURCEA(IDD_SCANNING_DISK), Owner(), ScanningProc,
                                     reinterpret_cast<LPARAM>(&state_))) {
    if (dialog_ == nullptr) return;
    ::SetDlgItemTextA(dialog_, IDC_SCAN_LABEL, std::string(label).c_str());
    ::SetDlgItemInt(dialog_, IDC_SCAN_SCANNED, 0, FALSE);
    ::SetDlgItemInt(dialog_, IDC_SCAN_FOUND, 0, FALSE);
    ::ShowWindow(dialog_, SW_SHOW);
    ::UpdateWindow(dialog_);
  }
  ~Win32ScanningDialog() override {
    if (dialog_ != nullptr && ::IsWindow(dialog_)) ::DestroyWindow(dialog_);
  }
  Win32ScanningDialog(const Win32ScanningDialog&) = delete;
  Win32ScanningDialog& operator=(const Win32ScanningDialog&) = delete;

  bool shown() const { return dialog_ != nullptr; }

  void ShowScanned(int count) override { ShowNumber(dialog_, IDC_SCAN_SCANNED, count); }
  void ShowFound(int count, std::string_view name) override {
    ShowNumber(dialog_, IDC_SCAN_FOUND, count);
    ::SetDlgItemTextA(dialog_, IDC_SCAN_NAME, std::string(name).c_str());
    ::UpdateWindow(::GetDlgItem(dialog_, IDC_SCAN_NAME));
  }
  bool HandleMessagesAndStopped() override;

 private:
  ScanState state_;
  HWND dialog_;
};

// Every waiting message of the thread; a quit message is put back for the main loop and ends
// the handling.
bool Win32ScanningDialog::HandleMessagesAndStopped() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (!::IsWindow(dialog_) || !::IsDialogMessageA(dialog_, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  return state_.stopped || !::IsWindow(dialog_);
}

}  // namespace

DensityAnswer Win32LocalStorageDialogs::AskRecreateDensity() {
  INT_PTR answer =
      ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DENSITY_AGAIN), Owner(),
                        DensityQuestionProc, 0);
  // A dialog that cannot be shown asks nothing: the files there are used.
  if (answer < 0) return DensityAnswer::kUseOld;
  return static_cast<DensityAnswer>(answer);
}

std::unique_ptr<ScanningDialog> Win32LocalStorageDialogs::OpenScanningDialog(
    std::string_view label) {
  auto dialog = std::make_unique<Win32ScanningDialog>(label);
  if (!dialog->shown()) return nullptr;
  return dialog;
}

}  // namespace corvisant
