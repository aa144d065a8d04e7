#include "app/win32/application.h"

#include <string_view>

#include "app/manual_install.h"
#include "app/resources/resource_ids.h"
#include "app/shell_commands.h"
#include "app/win32/font_faces.h"
#include "app/win32/screen.h"
#include "app/win32/url_list_window.h"
#include "app/win32/win32_report_dialog.h"
#include "browser/browser_discovery.h"
#include "history/url_list.h"
#include "navigation/navigation_clock.h"
#include "navigation/navigation_state.h"
#include "url/page_store.h"

namespace corvisant {
namespace {

constexpr std::string_view kShellStartArgument = "/dde";
// The shell reaches the program under its executable's short name and this topic.
constexpr const char* kShellApplication = "CORVIS~1";
constexpr const char* kShellTopic = "system";
// A URL list file chosen in the shell opens in a window here.
constexpr RECT kShellListWindowRect = {300, 300, 650, 720};
// The show command "as the program chooses".
constexpr int kShowDefault = -1;

// The window that the browser link brings to the front after it answered one of the browser's
// dialogs: an untitled overlapped window off the screen.
constexpr const char* kOffScreenFrameClass = "Corvisant:VBLIKEWindow";
constexpr RECT kOffScreenFrameRect = {-100, -100, 0, 0};
// The windows of the Domain View and the Finder have their classes from the start, so that
// whatever looks for them by class finds them registered.
constexpr const char* kLaterWindowClasses[] = {"Corvisant:DomainViewWindow",
                                               "Corvisant:FinderWindow"};

// The two URL list file types in the shell: what each key's default value is. The program's
// path goes before the values that name it. Each type also names the application its DDE
// conversation asks for: a shell that guessed it from the executable's long name would reach the
// browser link's DDE server instead, which takes no commands.
enum class ShellValue { kText, kIcon, kOpenCommand };
struct ShellRegistration {
  const char* key;
  ShellValue kind;
  const char* text;
};
constexpr ShellRegistration kShellRegistrations[] = {
    {".urli", ShellValue::kText, "CorvisantURLListIndex"},
    {"CorvisantURLListIndex", ShellValue::kText, "Corvisant URL List Index File"},
    {"CorvisantURLListIndex\\DefaultIcon", ShellValue::kIcon, ",1"},
    {"CorvisantURLListIndex\\shell\\open\\command", ShellValue::kOpenCommand, " /dde"},
    {"CorvisantURLListIndex\\shell\\open\\ddeexec", ShellValue::kText, "[open(\"%1\")]"},
    {"CorvisantURLListIndex\\shell\\open\\ddeexec\\application", ShellValue::kText,
     kShellApplication},
    {".urld", ShellValue::kText, "CorvisantURLListData"},
    {"CorvisantURLListData", ShellValue::kText, "Corvisant URL List Data File"},
    {"CorvisantURLListData\\DefaultIcon", ShellValue::kIcon, ",1"},
    {"CorvisantURLListData\\shell\\open\\command", ShellValue::kOpenCommand, " /dde"},
    {"CorvisantURLListData\\shell\\open\\ddeexec", ShellValue::kText, "[open(\"%1\")]"},
    {"CorvisantURLListData\\shell\\open\\ddeexec\\application", ShellValue::kText,
     kShellApplication},
};

void CALLBACK ClockTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (NavigationClock* clock = Current<NavigationClock>()) clock->OnTimer();
}

struct MenuBarSearch {
  const char* className;
  bool found;
};

BOOL CALLBACK BringMenuBarToFront(HWND window, LPARAM data) {
  char name[64] = "";
  ::GetClassNameA(window, name, sizeof name);
  if (std::string_view(name) == kMenuBarWindowClass) {
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    ::SetForegroundWindow(window);
    reinterpret_cast<MenuBarSearch*>(data)->found = true;
  }
  return TRUE;
}

// Another Corvisant runs: its menu-bar window comes to the front and this process ends.
bool AnotherInstanceRuns(win32::Win32Desktop& desktop) {
  if (CountProcessesNamed(desktop, UiString(IDS_EXECUTABLE_NAME)) <= 1) return false;
  MenuBarSearch search{kMenuBarWindowClass, false};
  ::EnumWindows(BringMenuBarToFront, reinterpret_cast<LPARAM>(&search));
  return true;
}

bool RegisterPlainClass(const char* name) {
  WNDCLASSA known{};
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  if (::GetClassInfoA(instance, name, &known)) return true;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ::DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_CORVISANT));
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  return ::RegisterClassA(&windowClass) != 0;
}

std::string ProgramDirectory() {
  char path[MAX_PATH] = "";
  DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
  std::string_view program(path, length);
  std::size_t slash = program.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? "." : program.substr(0, slash));
}

std::string ShellValueText(const ShellRegistration& registration, const std::string& program) {
  return registration.kind == ShellValue::kText ? registration.text : program + registration.text;
}

bool IsFrameWindow(HWND frame, HWND window) {
  return window != nullptr && (window == frame || ::IsChild(frame, window));
}

}  // namespace

Application::Application(int showCommand) : showCommand_(showCommand) {}

Application::~Application() { ShutdownGlobals(); }

bool Application::InitInstance(int argc, char** argv) {
  if (argc > 1 && argv[1] != kShellStartArgument) return false;
  if (argc > 1) {
    // Started by the shell for a command that comes over DDE.
    pendingShow_ = showCommand_;
    userControl_ = false;
  }
  if (AnotherInstanceRuns(desktop_)) return false;
  if (!StartGlobals()) return false;
  if (!MakeWindows()) return false;
  RegisterShellFileTypes();
  frame_->EnableShellOpen(kShellApplication, kShellTopic);
  LinkUpWhenBrowserRuns();
  ::SetForegroundWindow(frame_->hwnd());
  return true;
}

bool Application::StartGlobals() {
  process_ =
      std::make_unique<ProcessObjects>(ProcessServices{SystemPorts(), &ErrorDialogReporter()});
  StoreOptions options;
  options.use = StoreUse::kProgram;
  options.screen = TheScreen();
  if (!process_->OpenStore(options)) return false;
  InstallManualIfMissing(ProgramDirectory());
  dde_ = std::make_unique<win32::Win32Dde>(win32::DdeRole::kClientAndServer);
  process_->OpenEngine(*dde_, &desktop_);
  clockTimer_ = ::SetTimer(nullptr, 0, tick::kTimerPeriodMs, ClockTimer);
  return true;
}

bool Application::MakeWindows() {
  for (const char* name : kLaterWindowClasses) RegisterPlainClass(name);
  RegisterPlainClass(kOffScreenFrameClass);
  listWindows_ = std::make_unique<ListWindows>(*process_);
  if (!MainFrame::RegisterWindowClass()) return false;
  frame_ = std::make_unique<MainFrame>(*this);
  Preferences& preferences = *Current<Preferences>();
  if (!frame_->Create(preferences)) return false;
  accelerators_ =
      ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_FRAME));
  const RECT& away = kOffScreenFrameRect;
  offScreenFrame_ = ::CreateWindowExA(0, kOffScreenFrameClass, "", WS_OVERLAPPEDWINDOW, away.left,
                                      away.top, away.right - away.left, away.bottom - away.top,
                                      nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (offScreenFrame_ != nullptr) ::ShowWindow(offScreenFrame_, SW_SHOW);
  frame_->BuildHotlistMenus();
  BuildFontFaceList(frame_->hwnd(), preferences.fontSize, &preferences.fontFaces);
  BringUpHistoryWindow();
  return true;
}

void Application::RegisterShellFileTypes() {
  std::string program = JoinStorePath(StoreRoot(), UiString(IDS_EXECUTABLE_NAME));
  // The shell's own keys: what cannot be written leaves the file types unknown, nothing more.
  for (const ShellRegistration& registration : kShellRegistrations) {
    std::string value = ShellValueText(registration, program);
    ::RegSetValueA(HKEY_CLASSES_ROOT, registration.key, REG_SZ, value.c_str(),
                   static_cast<DWORD>(value.size()));
  }
}

void Application::LinkUpWhenBrowserRuns() {
  BrowserWatch* watch = Current<BrowserWatch>();
  if (watch != nullptr && watch->BrowserProcessFound()) {
    frame_->controller().SetButton(button::kOn, button::kDown);
  }
}

int Application::Run() {
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) PumpMessage(message);
  ShutdownGlobals();
  return static_cast<int>(message.wParam);
}

void Application::PumpMessage(MSG& message) {
  HWND frame = frame_ != nullptr ? frame_->hwnd() : nullptr;
  if (accelerators_ != nullptr && IsFrameWindow(frame, message.hwnd) &&
      ::TranslateAcceleratorA(frame, accelerators_, &message)) {
    return;
  }
  HWND controller = frame_ != nullptr ? frame_->controllerWindow() : nullptr;
  if (controller != nullptr && ::IsDialogMessageA(controller, &message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageA(&message);
}

bool Application::OnDdeCommand(const std::string& command) {
  ShellCommand shell = ParseShellCommand(command);
  switch (shell.kind) {
    case ShellCommand::Kind::kOpen:
      ShowFrameForShell();
      OpenDocumentFile(shell.path);
      userControl_ = true;
      pendingShow_ = kShowDefault;
      return true;
    case ShellCommand::Kind::kPrint:
      // The program prints nothing; started only for the print, it ends again.
      if (!userControl_ && frame_ != nullptr) ::PostMessageA(frame_->hwnd(), WM_CLOSE, 0, 0);
      return true;
    case ShellCommand::Kind::kRefused:
      break;
  }
  return false;
}

void Application::ShowFrameForShell() {
  if (frame_ == nullptr || frame_->hwnd() == nullptr) return;
  HWND frame = frame_->hwnd();
  int show = pendingShow_;
  if (show == kShowDefault || show == SW_SHOWNORMAL) {
    show = ::IsIconic(frame) ? SW_RESTORE : SW_SHOW;
  }
  ::ShowWindow(frame, show);
  if (show != SW_MINIMIZE) ::SetForegroundWindow(frame);
}

void Application::OpenDocumentFile(const std::string& path) {
  UrlListPairFiles files = UrlListPairOf(path);
  auto list = std::make_unique<UrlList>(*Current<OpenFilesTable>());
  // A pair that cannot be opened is passed over: the shell has nothing to show for it.
  if (!list->OpenUrlList(files.indexPath, files.dataPath)) return;
  list->SetName(files.name);
  UrlListWindow::Open(std::move(list), files.name, &kShellListWindowRect);
}

void Application::ShutdownGlobals() {
  if (process_ == nullptr) return;
  if (clockTimer_ != 0) ::KillTimer(nullptr, clockTimer_);
  clockTimer_ = 0;
  if (Preferences* preferences = Current<Preferences>()) preferences->linkOn = 0;
  if (NavigationState* navigation = Current<NavigationState>()) {
    navigation->currentNavigator.reset();
    navigation->visitNavigator.reset();
  }
  listWindows_.reset();
  if (offScreenFrame_ != nullptr) ::DestroyWindow(offScreenFrame_);
  offScreenFrame_ = nullptr;
  // The engine's stand-in controller takes the buttons back for the link's last word.
  frame_.reset();
  // Saves the window positions, closes the annotation store, empties "temp" and closes the
  // files of the open-files table.
  process_->CloseStore();
  dde_.reset();
  process_.reset();
}

}  // namespace corvisant
