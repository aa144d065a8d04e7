// Finding the browser on the desktop: its process and version, which top-level windows are
// browser windows, whether one is shown, launching it from the path its installation registered,
// and opening the system's own browser window (the work window): a second browser window, kept
// hidden behind the user's, through which every save request goes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "browser/browser_link.h"
#include "browser/desktop_port.h"
#include "platform/clock.h"

namespace corvisant {

namespace discovery {
constexpr const char* kBrowserExecutable = "Netscape.exe";
constexpr const char* kBrowserTitleWord = "Netscape";
// The installation's folders, as they end the upper-cased executable path of each version.
constexpr const char* kCommunicatorPath = "COMMUNICATOR\\PROGRAM\\NETSCAPE.EXE";
constexpr const char* kNavigatorPath = "NAVIGATOR\\PROGRAM\\NETSCAPE.EXE";
constexpr int kCommunicatorVersion = 4;
constexpr int kNavigatorVersion = 3;
// A window title is read up to this many characters for the browser-window test.
constexpr std::size_t kTitleMax = 512;
// Where the browser's installation says it lives ("Path": folders separated by ";").
constexpr const char* kAppPathsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Netscape.exe";
constexpr const char* kAppPathsValue = "Path";
constexpr std::size_t kAppPathsMaxBytes = 1024;
constexpr char kPathSeparator = ';';
// Where the browser last placed its main window.
constexpr const char* kMainWindowKey = "Software\\Netscape\\Netscape Navigator\\Main Window";
constexpr const char* kMainWindowLeft = "Left";
constexpr const char* kMainWindowTop = "Top";
// A placed window keeps at least this much of itself on the screen.
constexpr int kScreenMargin = 50;
// WinExec's results above this are a started program.
constexpr std::uint32_t kStartedAbove = 31;
// The work window's passes looking for a shown browser window, and the wait after each.
constexpr int kWorkWindowPasses = 2;
constexpr unsigned kPassWaitMs = 1000;
// The system's own main window, brought forward once the work window is placed.
constexpr const char* kMainFrameClass = "Corvisant:MenuBarWindow";
}  // namespace discovery

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// The rules, on plain values.
// 4 for a Communicator path, 3 for a Navigator path, else 0 (byte-wise, as given).
int BrowserVersionOfPath(std::string_view path);
// Version 4 or more: the title ends with the title word; below: it begins with it.
bool IsBrowserWindowTitle(std::string_view title, int browserVersion);
// The point clamped to 0 .. screen − the margin on both axes.
ScreenPoint ClampToScreen(ScreenPoint point, ScreenExtent screen);
// The folders of an App Paths "Path" value, in order (each up to the next ";").
std::vector<std::string> PathFolders(std::string_view value);

// The running processes whose executable path ends with exeName (A-Z folded); the first of them
// in the system's order into *first (when given and there is one).
int CountProcessesNamed(DesktopPort& desktop, std::string_view exeName,
                        ProcessEntry* first = nullptr);

class BrowserDiscovery {
 public:
  // Keeps the browser's version and its work window's id in link's state.
  BrowserDiscovery(DesktopPort& desktop, BrowserLink& link, Clock& clock);

  DesktopPort& desktop() { return desktop_; }
  BrowserLink& link() { return link_; }

  // The processes whose executable path ends with exeName (any case, over its length); the
  // first one found sets the first process id and the path when none is recorded yet.
  int CountProcesses(std::string_view exeName);
  // Looks the browser's process up anew (sets the version from its path); the count found.
  int FindBrowserProcess();
  std::uint32_t firstProcessId() const { return firstProcessId_; }
  // The full path of the first browser process found by the last lookup, upper-cased.
  const std::string& browserProcessPath() const { return browserProcessPath_; }

  bool IsBrowserWindowTitle(std::string_view title) const;
  // Appends the browser windows among the top-level windows, in the desktop's order.
  void CollectBrowserWindows(std::vector<WindowHandle>& list);
  // The work window exists and a browser window is shown.
  bool BrowserPresent();
  // The first shown browser window to the foreground.
  void BringBrowserToFront();
  // The window in the foreground belongs to the work window's process.
  bool BrowserInForeground();
  void BringMainFrameToFront();

  // Starts the browser from the first folder of its App Paths "Path" from which it starts,
  // showing entry.html; false (reported, 40004) when there is none.
  bool LaunchBrowser();
  // Opens and places the work window (browserRunning: the process was found); false, reported
  // (40024), when there is none afterwards.
  bool OpenWorkWindow(bool browserRunning);
  // Asks the browser to close the work window; the link has none afterwards.
  void CloseWorkWindow();
  WindowHandle workWindow() const { return workWindow_; }

 private:
  struct Passes {
    std::vector<WindowHandle> collected;
    std::vector<WindowHandle> hidden;
    WindowHandle userWindow = kNoWindow;
    bool asked = false;
  };
  Passes LookForShownWindow(bool mayAsk);
  void FindNewWorkWindow(const std::vector<WindowHandle>& windowsBefore);
  void PlaceWindows(WindowHandle userWindow, bool asked);
  void MoveToSavedPlace(WindowHandle userWindow);
  WindowHandle FirstShownBrowserWindow();

  DesktopPort& desktop_;
  BrowserLink& link_;
  Clock& clock_;
  std::string browserProcessPath_;
  std::uint32_t firstProcessId_ = 0;
  WindowHandle workWindow_ = kNoWindow;
};

}  // namespace corvisant
