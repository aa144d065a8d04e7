#include "tools/simulation/simulated_desktop.h"

#include "browser/browser_discovery.h"

namespace corvisant::simulation {
namespace {

// A handle tells what it names in its high half: a browser window by its id, a dialog by its
// id, a dialog's control by the dialog's id and the control's place in it.
enum Kind : std::uint64_t { kNone = 0, kWindow = 1, kDialog = 2, kControl = 3 };
constexpr int kKindShift = 32;
constexpr int kDialogShift = 16;
constexpr std::uint64_t kLowMask = 0xFFFF;

constexpr std::uint32_t kBrowserProcess = 1997;
constexpr const char* kFrameClass = "Standin:BrowserWindow";
constexpr const char* kDialogClass = "Standin:Dialog";
constexpr std::uint32_t kChildStyle = 0x50000000;  // WS_CHILD | WS_VISIBLE
constexpr std::uint32_t kCommandIdMask = 0xFFFF;   // LOWORD of WM_COMMAND's first parameter
// Where windows open: each a step lower right than the one before; dialogs near the middle.
constexpr ScreenRect kFirstFrame = {40, 30, 680, 510};
constexpr int kFrameStep = 24;
constexpr int kDialogLeft = 320;
constexpr int kDialogTop = 300;
constexpr ScreenExtent kScreen = {1024, 768};

WindowHandle Make(Kind kind, std::uint64_t value) {
  return (static_cast<std::uint64_t>(kind) << kKindShift) | value;
}
Kind KindOf(WindowHandle window) { return static_cast<Kind>(window >> kKindShift); }
std::uint64_t ValueOf(WindowHandle window) { return window & ((1ull << kKindShift) - 1); }

ScreenRect Offset(ScreenRect rect, int steps) {
  return {rect.left + steps * kFrameStep, rect.top + steps * kFrameStep,
          rect.right + steps * kFrameStep, rect.bottom + steps * kFrameStep};
}

ScreenRect DialogFrame(const standin::Dialog& dialog) {
  return {kDialogLeft, kDialogTop, kDialogLeft + dialog.client_width,
          kDialogTop + dialog.client_height};
}

}  // namespace

struct SimulatedDesktop::Found {
  Kind kind = kNone;
  const standin::BrowserWindow* window = nullptr;
  const standin::Dialog* dialog = nullptr;
  const standin::DialogControl* control = nullptr;
};

SimulatedDesktop::Found SimulatedDesktop::Find(WindowHandle handle) const {
  Found found;
  std::uint64_t value = ValueOf(handle);
  if (KindOf(handle) == kWindow) {
    found.window = browser_.FindWindow(static_cast<standin::WindowId>(value));
    found.kind = found.window != nullptr ? kWindow : kNone;
    return found;
  }
  int dialogId = static_cast<int>(KindOf(handle) == kControl ? value >> kDialogShift : value);
  for (const standin::Dialog& dialog : browser_.dialogs()) {
    if (dialog.id != dialogId) continue;
    found.dialog = &dialog;
    found.kind = KindOf(handle) == kDialog ? kDialog : kNone;
    std::size_t place = value & kLowMask;
    if (KindOf(handle) == kControl && place < dialog.controls.size()) {
      found.control = &dialog.controls[place];
      found.kind = kControl;
    }
  }
  return found;
}

std::string SimulatedDesktop::InstallFolder() const {
  bool communicator = browser_.options().version >= discovery::kCommunicatorVersion;
  return communicator ? "C:\\Program Files\\Netscape\\Communicator\\Program"
                      : "C:\\Program Files\\Netscape\\Navigator\\Program";
}

// The browser's process ends with its last window, as the program does.
std::vector<ProcessEntry> SimulatedDesktop::Processes() {
  if (browser_.windows().empty()) return {};
  return {{kBrowserProcess, InstallFolder() + "\\" + discovery::kBrowserExecutable}};
}

// The dialogs in front, the newest first; then the browser windows.
std::vector<WindowHandle> SimulatedDesktop::TopLevelWindows() {
  std::vector<WindowHandle> windows;
  const std::vector<standin::Dialog>& dialogs = browser_.dialogs();
  for (auto dialog = dialogs.rbegin(); dialog != dialogs.rend(); ++dialog) {
    windows.push_back(Make(kDialog, static_cast<std::uint64_t>(dialog->id)));
  }
  for (const standin::BrowserWindow& window : browser_.windows()) {
    windows.push_back(Make(kWindow, window.id));
  }
  return windows;
}

std::vector<WindowHandle> SimulatedDesktop::ChildWindows(WindowHandle window) {
  std::vector<WindowHandle> children;
  Found found = Find(window);
  if (found.kind != kDialog) return children;
  auto dialogId = static_cast<std::uint64_t>(found.dialog->id);
  for (std::size_t i = 0; i < found.dialog->controls.size(); ++i) {
    children.push_back(Make(kControl, (dialogId << kDialogShift) | i));
  }
  return children;
}

std::uint32_t SimulatedDesktop::ProcessOf(WindowHandle window) {
  return Find(window).kind == kNone ? 0 : kBrowserProcess;
}

std::string SimulatedDesktop::WindowText(WindowHandle window) {
  Found found = Find(window);
  switch (found.kind) {
    case kWindow:
      return browser_.CaptionOf(*found.window);
    case kDialog:
      return found.dialog->title;
    case kControl:
      return found.control->text;
    case kNone:
      break;
  }
  return std::string();
}

std::string SimulatedDesktop::ClassName(WindowHandle window) {
  Found found = Find(window);
  switch (found.kind) {
    case kWindow:
      return kFrameClass;
    case kDialog:
      return kDialogClass;
    case kControl:
      return found.control->class_name;
    case kNone:
      break;
  }
  return std::string();
}

std::uint32_t SimulatedDesktop::Style(WindowHandle window) {
  Found found = Find(window);
  if (found.kind != kControl) return 0;
  return kChildStyle | (found.control->tab_stop ? window_style::kTabStop : 0) |
         (found.control->group ? window_style::kGroup : 0);
}

std::uint32_t SimulatedDesktop::ExtendedStyle(WindowHandle window) {
  Found found = Find(window);
  return found.kind == kDialog && found.dialog->modal_frame ? window_style::kDialogModalFrame : 0;
}

int SimulatedDesktop::ControlId(WindowHandle window) {
  Found found = Find(window);
  return found.kind == kControl ? found.control->id : 0;
}

bool SimulatedDesktop::IsVisible(WindowHandle window) {
  Found found = Find(window);
  return found.kind == kWindow ? found.window->visible : found.kind != kNone;
}

std::optional<ScreenRect> SimulatedDesktop::Rect(WindowHandle window) {
  Found found = Find(window);
  switch (found.kind) {
    case kWindow: {
      auto place = placed_.find(found.window->id);
      if (place != placed_.end()) return place->second;
      return Offset(kFirstFrame, static_cast<int>(found.window->id) - 1);
    }
    case kDialog:
      return DialogFrame(*found.dialog);
    case kControl: {
      ScreenRect frame = DialogFrame(*found.dialog);
      const standin::DialogControl& control = *found.control;
      return ScreenRect{frame.left + control.x, frame.top + control.y,
                        frame.left + control.x + control.width,
                        frame.top + control.y + control.height};
    }
    case kNone:
      break;
  }
  return std::nullopt;
}

std::optional<ScreenRect> SimulatedDesktop::ClientRect(WindowHandle window) {
  std::optional<ScreenRect> frame = Rect(window);
  if (!frame) return std::nullopt;
  return ScreenRect{0, 0, frame->right - frame->left, frame->bottom - frame->top};
}

void SimulatedDesktop::Show(WindowHandle window, ShowCommand command) {
  Found found = Find(window);
  if (found.kind == kWindow) browser_.SetVisible(found.window->id, command != ShowCommand::kHide);
}

void SimulatedDesktop::MoveTo(WindowHandle window, int left, int top) {
  std::optional<ScreenRect> frame = Rect(window);
  if (!frame || KindOf(window) != kWindow) return;
  placed_[Find(window).window->id] = {left, top, left + frame->right - frame->left,
                                      top + frame->bottom - frame->top};
}

void SimulatedDesktop::SetForeground(WindowHandle window) {
  Found found = Find(window);
  if (found.kind == kNone) return;
  foreground_ = window;
  if (found.kind == kWindow) browser_.Activate(found.window->id);
}

WindowHandle SimulatedDesktop::Foreground() {
  return Find(foreground_).kind == kNone ? kNoWindow : foreground_;
}

// A command names a dialog's button; a click is a press and a release on the same button.
void SimulatedDesktop::Send(WindowHandle window, unsigned message, std::uintptr_t first,
                            std::intptr_t) {
  Found found = Find(window);
  if (message == window_message::kClose && found.kind == kWindow) {
    browser_.CloseWindow(found.window->id);
  } else if (message == window_message::kClose && found.kind == kDialog) {
    browser_.CloseDialog(found.dialog->id);
  } else if (message == window_message::kCommand && found.kind == kDialog) {
    browser_.PressButton(found.dialog->id, static_cast<int>(first & kCommandIdMask));
  } else if (message == window_message::kLeftDown && found.kind == kControl) {
    pressed_ = window;
  } else if (message == window_message::kLeftUp && found.kind == kControl && pressed_ == window) {
    pressed_ = kNoWindow;
    browser_.PressButton(found.dialog->id, found.control->id);
  }
}

std::optional<std::string> SimulatedDesktop::ReadRegistryText(RegistryRoot root,
                                                              std::string_view key,
                                                              std::string_view value,
                                                              std::size_t maxBytes) {
  std::string folder = InstallFolder();
  if (root != RegistryRoot::kLocalMachine || key != discovery::kAppPathsKey ||
      value != discovery::kAppPathsValue || folder.size() >= maxBytes) {
    return std::nullopt;
  }
  return folder;
}

ScreenExtent SimulatedDesktop::Screen() { return kScreen; }

}  // namespace corvisant::simulation
