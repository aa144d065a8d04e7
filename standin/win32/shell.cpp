#include "standin/win32/shell.h"

#include <cstdio>
#include <limits>

namespace standin_shell {
namespace {

constexpr const char* kPumpClass = "Standin:Pump";
constexpr UINT_PTR kClockTimer = 1;
// Work handed from window procedures and the DDE callback to the message loop.
constexpr UINT kRunDueMessage = WM_APP + 1;
constexpr UINT kDestroyDialogMessage = WM_APP + 2;
constexpr UINT kDestroyFrameMessage = WM_APP + 3;

}  // namespace

Shell::Shell(HINSTANCE instance, standin::Options options)
    : instance_(instance), options_(std::move(options)), browser_(options_, *this) {}

bool Shell::Start() {
  if (!options_.log_file.empty() && !log_.Open(WindowsPath(options_.log_file))) {
    Fail("cannot write the log " + options_.log_file);
    return false;
  }
  if (!CreatePump()) {
    Fail("cannot create the message window");
    return false;
  }
  if (!dde_.Start(&browser_, [this] { Kick(); })) {
    Fail("cannot register the DDE service NETSCAPE");
    return false;
  }
  browser_.Start();
  Kick();
  return true;
}

void Shell::Fail(const std::string& message) {
  std::fprintf(stderr, "Netscape stand-in: %s\n", message.c_str());
  Log("error " + message);
}

int Shell::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

bool Shell::CreatePump() {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = &Shell::PumpProc;
  window_class.hInstance = instance_;
  window_class.lpszClassName = kPumpClass;
  RegisterClassA(&window_class);
  // A message-only window: it never shows among the browser's top-level windows.
  pump_ = OwnedWindow(
      CreateWindowExA(0, kPumpClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this));
  return static_cast<bool>(pump_);
}

void Shell::Kick() { PostMessageA(pump_.get(), kRunDueMessage, 0, 0); }

void Shell::RunDue() {
  std::optional<std::uint64_t> next = browser_.RunDue();
  if (browser_.ShouldExit()) {
    Log("exit");
    PostQuitMessage(0);
    return;
  }
  if (!next) {
    KillTimer(pump_.get(), kClockTimer);
    return;
  }
  const std::uint64_t now = NowMs();
  const std::uint64_t wait = *next > now ? *next - now : 0;
  SetTimer(pump_.get(), kClockTimer,
           static_cast<UINT>(std::min<std::uint64_t>(wait, std::numeric_limits<UINT>::max())),
           nullptr);
}

LRESULT CALLBACK Shell::PumpProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Shell* shell = WindowObject<Shell>(hwnd, message, lparam);
  return shell ? shell->Pump(hwnd, message, wparam, lparam)
               : DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT Shell::Pump(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
    case kRunDueMessage:
      RunDue();
      return 0;
    case kDestroyDialogMessage:
      dialogs_.erase(static_cast<int>(wparam));
      return 0;
    case kDestroyFrameMessage:
      frames_.erase(static_cast<standin::WindowId>(wparam));
      if (frames_.empty()) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

std::uint64_t Shell::NowMs() { return GetTickCount64(); }

bool Shell::Poke(const std::string& service, const std::string& topic, const std::string& item) {
  return echoes_.Poke(service, topic, item);
}

standin::LocalFile Shell::ReadFile(const std::string& path) {
  return ReadLocalFile(WindowsPath(path));
}

bool Shell::WriteFile(const std::string& path, const std::string& bytes) {
  return WriteWholeFile(WindowsPath(path), bytes);
}

standin::Fetched Shell::Fetch(const std::string& url) { return http_.Fetch(url); }

void Shell::WindowOpened(const standin::BrowserWindow& window) {
  const bool is_main = !have_main_frame_;
  have_main_frame_ = true;
  auto frame = std::make_unique<BrowserFrame>(instance_, *this, window.id, is_main);
  BrowserFrame* shown = frame.get();
  frames_[window.id] = std::move(frame);
  shown->Show(window, browser_.CaptionOf(window));
}

void Shell::WindowChanged(const standin::BrowserWindow& window) {
  auto frame = frames_.find(window.id);
  if (frame != frames_.end()) frame->second->Show(window, browser_.CaptionOf(window));
}

void Shell::DialogOpened(const standin::Dialog& dialog) {
  dialogs_[dialog.id] = std::make_unique<DialogWindow>(instance_, *this, dialog);
}

// Not at once: the dialog may be closing from inside its own window procedure.
void Shell::DialogClosed(int dialog_id) {
  PostMessageA(pump_.get(), kDestroyDialogMessage, static_cast<WPARAM>(dialog_id), 0);
}

// Each frame is closed from the message loop, not from inside the request that asked for it.
void Shell::QuitRequested() {
  for (const auto& frame : frames_) PostMessageA(frame.second->hwnd(), WM_CLOSE, 0, 0);
}

void Shell::Log(const std::string& line) { log_.Line(line); }

void Shell::FrameActivated(standin::WindowId id) { browser_.Activate(id); }

void Shell::FrameShown(standin::WindowId id, bool visible) { browser_.SetVisible(id, visible); }

void Shell::LinkChosen(standin::WindowId id, const std::string& url) {
  browser_.FollowLink(id, url);
  Kick();
}

void Shell::FrameClosing(standin::WindowId id) {
  browser_.CloseWindow(id);
  PostMessageA(pump_.get(), kDestroyFrameMessage, static_cast<WPARAM>(id), 0);
}

void Shell::DialogCommand(int dialog_id, int control_id) {
  browser_.PressButton(dialog_id, control_id);
  Kick();
}

void Shell::DialogClosing(int dialog_id) {
  browser_.CloseDialog(dialog_id);
  Kick();
}

}  // namespace standin_shell
