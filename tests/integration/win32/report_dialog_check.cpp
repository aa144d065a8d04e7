// The error dialog as the user meets it, under Wine or Windows: it shows the message, closes
// itself after the given seconds only while automatic browsing runs, drops a report raised while
// it is open, and after a fatal report the process ends with -1 once OK is pressed. The user is
// a timer on the test's own thread, which runs inside the dialog's modal loop as the program's
// timers do: it finds the dialog by its title, reads it and presses OK.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

#include "app/message_table.h"
#include "app/resources/resource_ids.h"
#include "app/win32/win32_report_dialog.h"
#include "platform/message_ids.h"
#include "platform/report.h"

namespace corvisant {
namespace {

constexpr const char* kDialogTitle = "Corvisant found an error";
constexpr const char* kDialogClass = "#32770";
constexpr const char* kFatalChildFlag = "--fatal-child";
constexpr UINT kTickMilliseconds = 20;
constexpr DWORD kAppearTimeout = 10000;
constexpr int kSelfCloseSeconds = 1;
// Long enough after a 1 s self-close that a dialog still open has not closed itself.
constexpr DWORD kBeyondSelfClose = 2500;
constexpr DWORD kFatalExitStatus = 0xFFFFFFFF;

bool automaticBrowsing = false;

struct DialogSearch {
  DWORD processId;
  HWND found;
  int count;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<DialogSearch*>(parameter);
  char title[64] = "";
  char className[16] = "";
  ::GetWindowTextA(window, title, sizeof title);
  ::GetClassNameA(window, className, sizeof className);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  if (std::strcmp(title, kDialogTitle) == 0 && std::strcmp(className, kDialogClass) == 0 &&
      processId == search->processId && ::IsWindowVisible(window)) {
    if (search->found == nullptr) search->found = window;
    ++search->count;
  }
  return TRUE;
}

DialogSearch FindDialogs(DWORD processId) {
  DialogSearch search{processId, nullptr, 0};
  ::EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
  return search;
}

bool IsOpen(HWND dialog) { return ::IsWindow(dialog) && ::IsWindowVisible(dialog); }

std::string DialogText(HWND dialog) {
  char text[kMessageTextMax + 1] = "";
  ::GetDlgItemTextA(dialog, IDC_ERROR_REPORT_TEXT, text, sizeof text);
  return text;
}

// A click on OK as the button reports it to the dialog.
void PressOk(HWND dialog) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

// A control's rectangle in the dialog's client area, and the rectangle that the template's
// dialog units give: position and size are converted apart, as the dialog manager does it.
RECT ControlRect(HWND dialog, int id) {
  RECT rect;
  ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
  ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool LaidOutAt(HWND dialog, int id, int left, int top, int width, int height) {
  RECT units{left, top, width, height};
  ::MapDialogRect(dialog, &units);
  RECT control = ControlRect(dialog, id);
  return control.left == units.left && control.top == units.top &&
         control.right == units.left + units.right && control.bottom == units.top + units.bottom;
}

// The user of one report: called at every tick of the timer with the open dialog (null while
// none is found) and the milliseconds since the dialog first appeared. Runs until the report
// returns.
using UserStep = std::function<void(HWND dialog, DWORD sinceShown)>;

class DialogUser {
 public:
  explicit DialogUser(UserStep step) : step_(std::move(step)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, kTickMilliseconds, Tick);
  }
  ~DialogUser() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool appeared() const { return shownAt_ != 0; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ != nullptr) current_->Step();
  }
  void Step() {
    HWND dialog = FindDialogs(::GetCurrentProcessId()).found;
    if (dialog != nullptr && shownAt_ == 0) shownAt_ = ::GetTickCount();
    step_(dialog, shownAt_ == 0 ? 0 : ::GetTickCount() - shownAt_);
  }

  static inline DialogUser* current_ = nullptr;
  UserStep step_;
  UINT_PTR timer_ = 0;
  DWORD shownAt_ = 0;
};

class ReportDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automaticBrowsing = false;
    ErrorDialogReporter().SetAutomaticBrowsingQuery([] { return automaticBrowsing; });
  }
  Installed<Reporter> reporter_{&ErrorDialogReporter()};
};

TEST_F(ReportDialogTest, ShowsTheMessageCentredOnTopAndWaitsForOk) {
  std::string seen;
  bool openAfterSelfCloseTime = false;
  DialogUser user([&](HWND dialog, DWORD sinceShown) {
    if (dialog == nullptr || !seen.empty() || sinceShown < kBeyondSelfClose) return;
    char label[16] = "";
    ::GetDlgItemTextA(dialog, IDOK, label, sizeof label);
    RECT frame;
    ::GetWindowRect(dialog, &frame);
    int dx = (frame.left + frame.right) / 2 - ::GetSystemMetrics(SM_CXSCREEN) / 2;
    int dy = (frame.top + frame.bottom) / 2 - ::GetSystemMetrics(SM_CYSCREEN) / 2;
    seen = DialogText(dialog) + "|" + label;
    seen += (::GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "|topmost" : "|not topmost";
    seen += (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) ? "|centred" : "|off centre";
    seen += LaidOutAt(dialog, IDC_ERROR_REPORT_TEXT, 55, 15, 165, 55) ? "|text" : "|text moved";
    seen += LaidOutAt(dialog, IDOK, 95, 75, 50, 14) ? "|ok" : "|ok moved";
    openAfterSelfCloseTime = IsOpen(dialog);
    PressOk(dialog);
  });
  // Asks to close itself, but nothing browses on its own: it waits for OK.
  Report(kReportNonFatal, kSelfCloseSeconds, message::kCantCreateDirectory,
         {"temp", "Z:\\store\\CorvisantDatabase", 5});
  EXPECT_EQ(seen,
            "Corvisant can't create directory  temp under Z:\\store\\CorvisantDatabase by the "
            "reason 5. Make sure the disk isn't write protected nor it isn't full.|OK|topmost|"
            "centred|text|ok");
  EXPECT_TRUE(openAfterSelfCloseTime);
}

// How long a report stays open while the user only watches, and whether the user had to press
// OK (after kBeyondSelfClose) to end it.
struct Watched {
  bool appeared = false;
  bool hadToPressOk = false;
  DWORD openFor = 0;
};

Watched WatchReport(int selfCloseSeconds, int messageId) {
  Watched watched;
  DWORD start = ::GetTickCount();
  {
    DialogUser user([&watched](HWND dialog, DWORD sinceShown) {
      if (dialog == nullptr || sinceShown < kBeyondSelfClose) return;
      watched.hadToPressOk = true;
      PressOk(dialog);
    });
    Report(kReportNonFatal, selfCloseSeconds, messageId, {"a.html"});
    watched.appeared = user.appeared();
  }
  watched.openFor = ::GetTickCount() - start;
  return watched;
}

TEST_F(ReportDialogTest, ClosesItselfAfterTheSecondsOnlyWhileAutomaticBrowsingRuns) {
  automaticBrowsing = true;
  Watched selfClosing = WatchReport(kSelfCloseSeconds, message::kCantOpenHtmlForRewrite);
  EXPECT_TRUE(selfClosing.appeared);
  EXPECT_FALSE(selfClosing.hadToPressOk);
  EXPECT_GE(selfClosing.openFor, kSelfCloseSeconds * 900u);
  // Zero seconds never closes, even while browsing.
  EXPECT_TRUE(WatchReport(kReportNeverCloses, message::kCantWritePreferences).hadToPressOk);
}

TEST_F(ReportDialogTest, AReportRaisedWhileOneIsOpenIsDropped) {
  bool secondReturned = false;
  std::string seen;
  DialogUser user([&](HWND dialog, DWORD sinceShown) {
    if (dialog == nullptr) return;
    if (!secondReturned) {
      // Raised from inside the first dialog's modal loop, as the program's own timers do.
      Report(kReportNonFatal, kReportNeverCloses, message::kCantCheckFreeSpace);
      secondReturned = true;
      return;
    }
    if (sinceShown < kTickMilliseconds * 10 || !seen.empty()) return;
    seen = DialogText(dialog) + "|" + std::to_string(FindDialogs(::GetCurrentProcessId()).count);
    PressOk(dialog);
  });
  Report(kReportNonFatal, kReportNeverCloses, message::kCantOpenPreferences);
  EXPECT_TRUE(secondReturned);
  EXPECT_EQ(seen, "Corvisant can't open the preference file for saving.|1");
}

// Waits for the child's dialog without sleeping through the messages of this thread.
HWND WaitForChildDialog(const PROCESS_INFORMATION& child) {
  for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kAppearTimeout;) {
    HWND dialog = FindDialogs(child.dwProcessId).found;
    if (dialog != nullptr) return dialog;
    ::MsgWaitForMultipleObjects(1, &child.hProcess, FALSE, kTickMilliseconds, QS_ALLINPUT);
  }
  return nullptr;
}

TEST_F(ReportDialogTest, AFatalReportEndsTheProcessWithMinusOneAfterOk) {
  char program[MAX_PATH];
  ::GetModuleFileNameA(nullptr, program, sizeof program);
  std::string commandLine = std::string("\"") + program + "\" " + kFatalChildFlag;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  ASSERT_TRUE(::CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &child));
  HWND dialog = WaitForChildDialog(child);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(DialogText(dialog), "Corvisant can't check free disk space.");
  EXPECT_EQ(::WaitForSingleObject(child.hProcess, kBeyondSelfClose),
            static_cast<DWORD>(WAIT_TIMEOUT))
      << "the process waits for OK";
  PressOk(dialog);
  ASSERT_EQ(::WaitForSingleObject(child.hProcess, kAppearTimeout), WAIT_OBJECT_0);
  DWORD status = 0;
  ::GetExitCodeProcess(child.hProcess, &status);
  EXPECT_EQ(status, kFatalExitStatus);
  ::CloseHandle(child.hThread);
  ::CloseHandle(child.hProcess);
}

TEST(ReportStringTable, TheResourceTableHoldsTheSameTexts) {
  constexpr int kFirstId = 40000;
  constexpr int kPastLastId = 40026;
  for (int id = kFirstId - 1; id < kPastLastId; ++id) {
    char text[kMessageTextMax + 1] = "";
    int length =
        ::LoadStringA(::GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof text);
    const char* expected = MessageText(id);
    EXPECT_EQ(std::string(text, length), expected != nullptr ? expected : "") << id;
  }
}

}  // namespace
}  // namespace corvisant

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], corvisant::kFatalChildFlag) == 0) {
    corvisant::Installed<corvisant::Reporter> reporter(&corvisant::ErrorDialogReporter());
    corvisant::Report(corvisant::kReportFatal, corvisant::kReportNeverCloses,
                      corvisant::message::kCantCheckFreeSpace);
    return 0;  // never reached: a fatal report ends the process
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
