#include "standin/win32/dialog_window.h"

namespace standin_shell {
namespace {

constexpr const char* kDialogClass = "Standin:Dialog";
constexpr const char* kProgressClass = "NSProgress";
constexpr const char* kStaticClass = "Static";
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kDialogOffset = 24;  // each dialog a little lower right than the one before,
constexpr int kOffsetSteps = 10;   // starting again after so many
constexpr int kProgressPercent = 40;
constexpr int kPercent = 100;

// The painted bar of an NSProgress child; it never moves, nothing measures it.
void PaintProgress(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT bar;
  GetClientRect(hwnd, &bar);
  FrameRect(dc, &bar, GetSysColorBrush(COLOR_WINDOWFRAME));
  bar.right = bar.left + (bar.right - bar.left) * kProgressPercent / kPercent;
  InflateRect(&bar, -1, -1);
  FillRect(dc, &bar, GetSysColorBrush(COLOR_HIGHLIGHT));
  EndPaint(hwnd, &paint);
}

void RegisterOne(HINSTANCE instance, const char* name, WNDPROC procedure, int background) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
  window_class.lpszClassName = name;
  RegisterClassA(&window_class);
}

}  // namespace

void DialogWindow::RegisterClassesOnce(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  RegisterOne(instance, kDialogClass, &DialogWindow::WindowProc, COLOR_BTNFACE);
  RegisterOne(instance, kProgressClass, &DialogWindow::ProgressProc, COLOR_WINDOW);
  registered = true;
}

DialogWindow::DialogWindow(HINSTANCE instance, DialogEvents& events, const standin::Dialog& dialog)
    : events_(events), id_(dialog.id) {
  RegisterClassesOnce(instance);
  const DWORD extended = dialog.modal_frame ? WS_EX_DLGMODALFRAME : 0;
  RECT frame = {0, 0, dialog.client_width, dialog.client_height};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, extended);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int offset = (dialog.id % kOffsetSteps) * kDialogOffset;
  HWND hwnd = CreateWindowExA(extended, kDialogClass, dialog.title.c_str(), kDialogStyle,
                              (GetSystemMetrics(SM_CXSCREEN) - width) / 2 + offset,
                              (GetSystemMetrics(SM_CYSCREEN) - height) / 2 + offset, width, height,
                              nullptr, nullptr, instance, this);
  window_ = OwnedWindow(hwnd);
  if (!hwnd) return;
  FitClientArea(hwnd, dialog.client_width, dialog.client_height);
  for (const standin::DialogControl& control : dialog.controls) CreateControl(hwnd, control);
  ShowWindow(hwnd, SW_SHOW);
}

// The frame Wine draws may differ from what AdjustWindowRectEx foretold; the client area is
// what dialog watchers measure, so it is made exact.
void DialogWindow::FitClientArea(HWND hwnd, int width, int height) {
  RECT client;
  RECT outer;
  GetClientRect(hwnd, &client);
  GetWindowRect(hwnd, &outer);
  if (client.right == width && client.bottom == height) return;
  SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left + width - client.right,
               outer.bottom - outer.top + height - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::CreateControl(HWND hwnd, const standin::DialogControl& control) {
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (control.tab_stop) style |= WS_TABSTOP;
  if (control.group) style |= WS_GROUP;
  if (control.class_name == kStaticClass) style |= SS_NOPREFIX;  // an "&" in a URL stays as it is
  HWND child =
      CreateWindowExA(0, control.class_name.c_str(), control.text.c_str(), style, control.x,
                      control.y, control.width, control.height, hwnd,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), nullptr, nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
}

LRESULT CALLBACK DialogWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  DialogWindow* dialog = WindowObject<DialogWindow>(hwnd, message, lparam);
  if (dialog && message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
    dialog->events_.DialogCommand(dialog->id_, LOWORD(wparam));
    return 0;
  }
  if (dialog && message == WM_CLOSE) {
    dialog->events_.DialogClosing(dialog->id_);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK DialogWindow::ProgressProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PaintProgress(hwnd);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace standin_shell
