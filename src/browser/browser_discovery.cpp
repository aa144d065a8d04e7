#include "browser/browser_discovery.h"

#include <algorithm>
#include <utility>

#include "common/trace.h"
#include "platform/message_ids.h"
#include "platform/report.h"
#include "url/page_store.h"
#include "url/text_helpers.h"

namespace corvisant {
namespace {

using namespace discovery;

char UpperCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperCased(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), UpperCase);
  return upper;
}

// The path ends with name, compared without regard to case over the name's length.
bool EndsWithName(std::string_view path, std::string_view name) {
  return path.size() >= name.size() &&
         UpperCased(path.substr(path.size() - name.size())) == UpperCased(name);
}

bool Contains(const std::vector<WindowHandle>& list, WindowHandle window) {
  return std::find(list.begin(), list.end(), window) != list.end();
}

void ReportNotInstalled() {
  Report(kReportNonFatal, kReportNeverCloses, message::kBrowserNotInstalled);
}

void ReportNoNewWindow() {
  Report(kReportNonFatal, kReportNeverCloses, message::kBrowserWontOpenWindow);
}

unsigned TraceHandle(WindowHandle window) { return static_cast<unsigned>(window); }

}  // namespace

int BrowserVersionOfPath(std::string_view path) {
  if (path.find(kCommunicatorPath) != std::string_view::npos) return kCommunicatorVersion;
  if (path.find(kNavigatorPath) != std::string_view::npos) return kNavigatorVersion;
  return 0;
}

bool IsBrowserWindowTitle(std::string_view title, int browserVersion) {
  std::string_view word = kBrowserTitleWord;
  if (browserVersion >= kCommunicatorVersion) return EndsWith(title, word);
  return StartsWith(title, word);
}

ScreenPoint ClampToScreen(ScreenPoint point, ScreenExtent screen) {
  // On a screen smaller than the margin the upper bound wins over 0.
  point.x = std::min(std::max(point.x, 0), screen.width - kScreenMargin);
  point.y = std::min(std::max(point.y, 0), screen.height - kScreenMargin);
  return point;
}

std::vector<std::string> PathFolders(std::string_view value) {
  std::vector<std::string> folders;
  for (;;) {
    std::size_t end = value.find(kPathSeparator);
    folders.emplace_back(value.substr(0, end));
    if (end == std::string_view::npos) return folders;
    value.remove_prefix(end + 1);
  }
}

BrowserDiscovery::BrowserDiscovery(DesktopPort& desktop, BrowserLink& link, Clock& clock)
    : desktop_(desktop), link_(link), clock_(clock) {}

int CountProcessesNamed(DesktopPort& desktop, std::string_view exeName, ProcessEntry* first) {
  int count = 0;
  for (ProcessEntry& process : desktop.Processes()) {
    if (!EndsWithName(process.path, exeName)) continue;
    if (count++ == 0 && first != nullptr) *first = std::move(process);
  }
  return count;
}

int BrowserDiscovery::CountProcesses(std::string_view exeName) {
  ProcessEntry first;
  int count = CountProcessesNamed(desktop_, exeName, &first);
  if (count > 0 && firstProcessId_ == 0) {
    firstProcessId_ = first.id;
    // The system gives the path as it was spelled; the version tests read it upper-cased.
    browserProcessPath_ = UpperCased(first.path);
  }
  return count;
}

int BrowserDiscovery::FindBrowserProcess() {
  firstProcessId_ = 0;
  browserProcessPath_.clear();
  int count = CountProcesses(kBrowserExecutable);
  link_.state().browserVersion = BrowserVersionOfPath(browserProcessPath_);
  return count;
}

bool BrowserDiscovery::IsBrowserWindowTitle(std::string_view title) const {
  return corvisant::IsBrowserWindowTitle(title, link_.state().browserVersion);
}

void BrowserDiscovery::CollectBrowserWindows(std::vector<WindowHandle>& list) {
  for (WindowHandle window : desktop_.TopLevelWindows()) {
    std::string title = desktop_.WindowText(window);
    if (title.size() > kTitleMax) title.resize(kTitleMax);
    if (IsBrowserWindowTitle(title)) list.push_back(window);
  }
}

WindowHandle BrowserDiscovery::FirstShownBrowserWindow() {
  std::vector<WindowHandle> windows;
  CollectBrowserWindows(windows);
  for (WindowHandle window : windows) {
    if (desktop_.IsVisible(window)) return window;
  }
  return kNoWindow;
}

bool BrowserDiscovery::BrowserPresent() {
  return workWindow_ != kNoWindow && FirstShownBrowserWindow() != kNoWindow;
}

void BrowserDiscovery::BringBrowserToFront() {
  WindowHandle shown = FirstShownBrowserWindow();
  if (shown != kNoWindow) desktop_.SetForeground(shown);
}

bool BrowserDiscovery::BrowserInForeground() {
  WindowHandle foreground = desktop_.Foreground();
  if (foreground == kNoWindow || workWindow_ == kNoWindow) return false;
  std::uint32_t browser = desktop_.ProcessOf(workWindow_);
  return browser != 0 && desktop_.ProcessOf(foreground) == browser;
}

void BrowserDiscovery::BringMainFrameToFront() {
  for (WindowHandle window : desktop_.TopLevelWindows()) {
    if (desktop_.ClassName(window) == kMainFrameClass) {
      desktop_.SetForeground(window);
      return;
    }
  }
}

bool BrowserDiscovery::LaunchBrowser() {
  std::optional<std::string> path = desktop_.ReadRegistryText(
      RegistryRoot::kLocalMachine, kAppPathsKey, kAppPathsValue, kAppPathsMaxBytes);
  if (!path) {
    ReportNotInstalled();
    return false;
  }
  const std::string entry = EntryPageFileUrl();
  for (const std::string& folder : PathFolders(*path)) {
    std::string commandLine = folder + "\\" + kBrowserExecutable + " " + entry;
    if (desktop_.StartProgram(commandLine) > kStartedAbove) return true;
  }
  ReportNotInstalled();
  return false;
}

// Up to two looks for a shown browser window; in the first look in which it may, the system
// asks the browser for a window of its own, and waits a second after every look that found
// none shown.
BrowserDiscovery::Passes BrowserDiscovery::LookForShownWindow(bool mayAsk) {
  Passes passes;
  for (int pass = 0; pass < kWorkWindowPasses; ++pass) {
    passes.collected.clear();
    CollectBrowserWindows(passes.collected);
    for (WindowHandle window : passes.collected) {
      if (desktop_.IsVisible(window)) {
        if (passes.userWindow == kNoWindow) passes.userWindow = window;
      } else if (!Contains(passes.hidden, window)) {
        passes.hidden.push_back(window);
      }
    }
    if (passes.userWindow != kNoWindow) break;
    if (mayAsk && !passes.asked) {
      link_.OpenUrlInNewWindow(EntryPageFileUrl());
      passes.asked = true;
    }
    clock_.Sleep(kPassWaitMs);
  }
  return passes;
}

// The work window is the browser window, and its id the window id, that the browser has after a
// request for a new window and did not have before it.
void BrowserDiscovery::FindNewWorkWindow(const std::vector<WindowHandle>& windowsBefore) {
  std::vector<std::uint32_t> idsBefore;
  link_.ListBrowserWindows(idsBefore);
  link_.OpenUrlInNewWindow(EntryPageFileUrl());
  std::vector<WindowHandle> windowsAfter;
  CollectBrowserWindows(windowsAfter);
  std::vector<std::uint32_t> idsAfter;
  link_.ListBrowserWindows(idsAfter);
  for (WindowHandle window : windowsAfter) {
    if (!Contains(windowsBefore, window)) {
      workWindow_ = window;
      break;
    }
  }
  for (std::uint32_t id : idsAfter) {
    if (std::find(idsBefore.begin(), idsBefore.end(), id) == idsBefore.end()) {
      link_.state().workWindowId = id;
      break;
    }
  }
}

void BrowserDiscovery::MoveToSavedPlace(WindowHandle userWindow) {
  std::optional<std::uint32_t> left =
      desktop_.ReadRegistryNumber(RegistryRoot::kCurrentUser, kMainWindowKey, kMainWindowLeft);
  std::optional<std::uint32_t> top =
      desktop_.ReadRegistryNumber(RegistryRoot::kCurrentUser, kMainWindowKey, kMainWindowTop);
  if (!left || !top) return;
  // The values are the signed screen coordinates the browser wrote.
  ScreenPoint saved{static_cast<std::int32_t>(*left), static_cast<std::int32_t>(*top)};
  ScreenPoint place = ClampToScreen(saved, desktop_.Screen());
  desktop_.MoveTo(userWindow, place.x, place.y);
}

// The work window hidden behind the user's window, the user's window shown and in front, and
// the system's own main window in front of it.
void BrowserDiscovery::PlaceWindows(WindowHandle userWindow, bool asked) {
  desktop_.Show(workWindow_, ShowCommand::kHide);
  if (asked) MoveToSavedPlace(userWindow);
  desktop_.Show(workWindow_, ShowCommand::kHide);
  if (std::optional<ScreenRect> user = desktop_.Rect(userWindow)) {
    desktop_.MoveTo(workWindow_, user->left, user->top);
  }
  desktop_.SetForeground(userWindow);
  desktop_.Show(userWindow,
                desktop_.IsMinimized(userWindow) ? ShowCommand::kRestore : ShowCommand::kShow);
  BringMainFrameToFront();
}

bool BrowserDiscovery::OpenWorkWindow(bool browserRunning) {
  workWindow_ = kNoWindow;
  link_.state().workWindowId = 0;
  Passes passes = LookForShownWindow(browserRunning);
  if (passes.userWindow == kNoWindow) {
    ReportNoNewWindow();
  } else {
    desktop_.Show(passes.userWindow, ShowCommand::kHide);
    FindNewWorkWindow(passes.collected);
    if (workWindow_ == kNoWindow) {
      ReportNoNewWindow();
      // The user's window was hidden only to make room for the work window: it comes back.
      desktop_.Show(passes.userWindow, ShowCommand::kShow);
    } else {
      PlaceWindows(passes.userWindow, passes.asked);
    }
  }
  for (WindowHandle hidden : passes.hidden) {
    Trace("Hiding browser window hwnd=%x again", TraceHandle(hidden));
    desktop_.Show(hidden, ShowCommand::kHide);
  }
  return workWindow_ != kNoWindow;
}

void BrowserDiscovery::CloseWorkWindow() {
  // Another program's window cannot be destroyed from here; the browser is asked to close it.
  if (workWindow_ != kNoWindow) desktop_.Post(workWindow_, window_message::kClose, 0, 0);
  workWindow_ = kNoWindow;
  link_.state().workWindowId = 0;
}

}  // namespace corvisant
