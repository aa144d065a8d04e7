#include "browser/win32/win32_desktop.h"

// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>

namespace corvisant::win32 {
namespace {

// The longest window text and class name read; the rules cut them shorter.
constexpr int kTextBufferSize = 1024;
constexpr int kClassBufferSize = 256;
// A wait for the next message ends after one period of the engine's timer, which would have
// brought one, so that a thread without that timer is not held for ever.
constexpr DWORD kWaitMessageLimitMs = 800;

HWND Hwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}
WindowHandle Handle(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

struct CloseKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using KernelHandle = std::unique_ptr<void, CloseKernelHandle>;

struct CloseRegistryKey {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, CloseRegistryKey>;

// Toolhelp names only the executable's file; the full image path is asked of the process, and
// the file name stands when the process cannot be opened.
std::string ImagePath(const PROCESSENTRY32& entry) {
  KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
  if (process) {
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (QueryFullProcessImageNameA(process.get(), 0, path, &size)) return std::string(path, size);
  }
  return entry.szExeFile;
}

BOOL CALLBACK AddWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(Handle(hwnd));
  return TRUE;
}

RegistryKey OpenKey(RegistryRoot root, std::string_view key) {
  HKEY base = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(base, std::string(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return nullptr;
  }
  return RegistryKey(opened);
}

// The value's bytes, at most capacity of them; none when it is missing or larger.
std::optional<std::string> ReadValue(RegistryRoot root, std::string_view key,
                                     std::string_view value, std::size_t capacity) {
  RegistryKey opened = OpenKey(root, key);
  if (!opened) return std::nullopt;
  std::string bytes(capacity, '\0');
  DWORD size = static_cast<DWORD>(capacity);
  if (RegQueryValueExA(opened.get(), std::string(value).c_str(), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(bytes.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  bytes.resize(size);
  return bytes;
}

int ShowCode(ShowCommand command) {
  switch (command) {
    case ShowCommand::kHide:
      return SW_HIDE;
    case ShowCommand::kRestore:
      return SW_RESTORE;
    case ShowCommand::kShow:
      break;
  }
  return SW_SHOW;
}

}  // namespace

std::vector<ProcessEntry> Win32Desktop::Processes() {
  std::vector<ProcessEntry> processes;
  KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (snapshot.get() == INVALID_HANDLE_VALUE) {
    snapshot.release();
    return processes;
  }
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    processes.push_back({static_cast<std::uint32_t>(entry.th32ProcessID), ImagePath(entry)});
  }
  return processes;
}

std::vector<WindowHandle> Win32Desktop::TopLevelWindows() {
  std::vector<WindowHandle> windows;
  EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<WindowHandle> Win32Desktop::ChildWindows(WindowHandle window) {
  std::vector<WindowHandle> children;
  for (HWND child = GetWindow(Hwnd(window), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(Handle(child));
  }
  return children;
}

std::uint32_t Win32Desktop::ProcessOf(WindowHandle window) {
  DWORD process = 0;
  if (GetWindowThreadProcessId(Hwnd(window), &process) == 0) return 0;
  return process;
}

std::string Win32Desktop::WindowText(WindowHandle window) {
  char text[kTextBufferSize] = {};
  int length = GetWindowTextA(Hwnd(window), text, kTextBufferSize);
  return std::string(text, length > 0 ? length : 0);
}

std::string Win32Desktop::ClassName(WindowHandle window) {
  char name[kClassBufferSize] = {};
  int length = GetClassNameA(Hwnd(window), name, kClassBufferSize);
  return std::string(name, length > 0 ? length : 0);
}

std::uint32_t Win32Desktop::Style(WindowHandle window) {
  return static_cast<std::uint32_t>(GetWindowLongA(Hwnd(window), GWL_STYLE));
}

std::uint32_t Win32Desktop::ExtendedStyle(WindowHandle window) {
  return static_cast<std::uint32_t>(GetWindowLongA(Hwnd(window), GWL_EXSTYLE));
}

int Win32Desktop::ControlId(WindowHandle window) { return GetDlgCtrlID(Hwnd(window)); }

bool Win32Desktop::IsVisible(WindowHandle window) { return IsWindowVisible(Hwnd(window)) != 0; }

bool Win32Desktop::IsMinimized(WindowHandle window) { return IsIconic(Hwnd(window)) != 0; }

std::optional<ScreenRect> Win32Desktop::Rect(WindowHandle window) {
  RECT place;
  if (!GetWindowRect(Hwnd(window), &place)) return std::nullopt;
  return ScreenRect{place.left, place.top, place.right, place.bottom};
}

std::optional<ScreenRect> Win32Desktop::ClientRect(WindowHandle window) {
  RECT client;
  if (!GetClientRect(Hwnd(window), &client)) return std::nullopt;
  return ScreenRect{client.left, client.top, client.right, client.bottom};
}

void Win32Desktop::Show(WindowHandle window, ShowCommand command) {
  ShowWindow(Hwnd(window), ShowCode(command));
}

void Win32Desktop::MoveTo(WindowHandle window, int left, int top) {
  SetWindowPos(Hwnd(window), nullptr, left, top, 0, 0, SWP_NOSIZE);
}

void Win32Desktop::SetForeground(WindowHandle window) { SetForegroundWindow(Hwnd(window)); }

WindowHandle Win32Desktop::Foreground() { return Handle(GetForegroundWindow()); }

void Win32Desktop::Send(WindowHandle window, unsigned message, std::uintptr_t first,
                        std::intptr_t second) {
  SendMessageA(Hwnd(window), message, first, second);
}

void Win32Desktop::Post(WindowHandle window, unsigned message, std::uintptr_t first,
                        std::intptr_t second) {
  PostMessageA(Hwnd(window), message, first, second);
}

void Win32Desktop::WaitMessage() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitMessageLimitMs, QS_ALLINPUT);
}

std::optional<std::string> Win32Desktop::ReadRegistryText(RegistryRoot root, std::string_view key,
                                                          std::string_view value,
                                                          std::size_t maxBytes) {
  std::optional<std::string> bytes = ReadValue(root, key, value, maxBytes);
  // The stored text ends at its terminator.
  if (bytes) bytes->resize(std::min(bytes->size(), bytes->find('\0')));
  return bytes;
}

std::optional<std::uint32_t> Win32Desktop::ReadRegistryNumber(RegistryRoot root,
                                                              std::string_view key,
                                                              std::string_view value) {
  std::optional<std::string> bytes = ReadValue(root, key, value, sizeof(std::uint32_t));
  if (!bytes || bytes->size() != sizeof(std::uint32_t)) return std::nullopt;
  // A DWORD value, in the machine's own byte order.
  std::uint32_t number = 0;
  std::memcpy(&number, bytes->data(), sizeof number);
  return number;
}

std::uint32_t Win32Desktop::StartProgram(std::string_view commandLine) {
  return WinExec(std::string(commandLine).c_str(), SW_SHOW);
}

ScreenExtent Win32Desktop::Screen() {
  return ScreenExtent{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace corvisant::win32
