// The desktop port: what the discovery of the browser and the dialog watcher need from the
// window system, the process list and the registry. The processes with their executable paths;
// the top-level windows (in the window system's order) with their process, text, class, styles,
// visibility and rectangles, and their child windows; registry reads; starting a command line;
// showing, moving and raising windows; sending a window a message. Every Win32 number these
// operations carry is named here, once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvisant {

// A window of the desktop; kNoWindow is none.
using WindowHandle = std::uint64_t;
constexpr WindowHandle kNoWindow = 0;

struct ProcessEntry {
  std::uint32_t id = 0;
  // The executable's full path as the system gives it.
  std::string path;
};

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct ScreenExtent {
  int width = 0;
  int height = 0;
};

enum class ShowCommand { kHide, kShow, kRestore };  // SW_HIDE, SW_SHOW, SW_RESTORE

enum class RegistryRoot { kLocalMachine, kCurrentUser };

namespace window_message {
constexpr unsigned kClose = 0x0010;        // WM_CLOSE
constexpr unsigned kCommand = 0x0111;      // WM_COMMAND
constexpr unsigned kLeftDown = 0x0201;     // WM_LBUTTONDOWN
constexpr unsigned kLeftUp = 0x0202;       // WM_LBUTTONUP
constexpr std::uintptr_t kLeftButton = 1;  // MK_LBUTTON
}  // namespace window_message

namespace window_style {
constexpr std::uint32_t kDialogModalFrame = 0x00000001;  // WS_EX_DLGMODALFRAME (extended)
constexpr std::uint32_t kTabStop = 0x00010000;           // WS_TABSTOP
constexpr std::uint32_t kGroup = 0x00020000;             // WS_GROUP
}  // namespace window_style

class DesktopPort {
 public:
  virtual ~DesktopPort() = default;

  // The running processes, in the system's snapshot order.
  virtual std::vector<ProcessEntry> Processes() = 0;

  // The top-level windows in the window system's enumeration order, and a window's direct
  // children (first child, then its next siblings).
  virtual std::vector<WindowHandle> TopLevelWindows() = 0;
  virtual std::vector<WindowHandle> ChildWindows(WindowHandle window) = 0;

  // Facts of a window; a window that is gone has process 0, empty texts, no rectangles.
  virtual std::uint32_t ProcessOf(WindowHandle window) = 0;
  virtual std::string WindowText(WindowHandle window) = 0;
  virtual std::string ClassName(WindowHandle window) = 0;
  virtual std::uint32_t Style(WindowHandle window) = 0;
  virtual std::uint32_t ExtendedStyle(WindowHandle window) = 0;
  virtual int ControlId(WindowHandle window) = 0;
  virtual bool IsVisible(WindowHandle window) = 0;
  virtual bool IsMinimized(WindowHandle window) = 0;
  // The window's rectangle on the screen, and its client area (left and top 0).
  virtual std::optional<ScreenRect> Rect(WindowHandle window) = 0;
  virtual std::optional<ScreenRect> ClientRect(WindowHandle window) = 0;

  virtual void Show(WindowHandle window, ShowCommand command) = 0;
  // Moves the window's top-left corner to (left, top), its size kept.
  virtual void MoveTo(WindowHandle window, int left, int top) = 0;
  virtual void SetForeground(WindowHandle window) = 0;
  virtual WindowHandle Foreground() = 0;

  // A message handed to the window's procedure (sent: after it was handled; posted: queued).
  virtual void Send(WindowHandle window, unsigned message, std::uintptr_t first,
                    std::intptr_t second) = 0;
  virtual void Post(WindowHandle window, unsigned message, std::uintptr_t first,
                    std::intptr_t second) = 0;
  // Waits for the next message to arrive in this thread's queue.
  virtual void WaitMessage() = 0;

  // A text value of at most maxBytes bytes with its terminator, and a 4-byte value; none when
  // the key does not open or the value cannot be read.
  virtual std::optional<std::string> ReadRegistryText(RegistryRoot root, std::string_view key,
                                                      std::string_view value,
                                                      std::size_t maxBytes) = 0;
  virtual std::optional<std::uint32_t> ReadRegistryNumber(RegistryRoot root, std::string_view key,
                                                          std::string_view value) = 0;

  // Starts a command line, its window shown; the result is WinExec's (above 31: started).
  virtual std::uint32_t StartProgram(std::string_view commandLine) = 0;
  virtual ScreenExtent Screen() = 0;
};

}  // namespace corvisant
