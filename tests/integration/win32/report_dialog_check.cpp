// The error dialog as the user meets it, under Wine or Windows: it shows the message, closes
// itself after the given seconds only while automatic browsing runs, drops a report raised
// while it is open, and after a fatal report the process ends with -1 once OK is pressed. A
// watcher thread finds the dialog by its title, reads it and presses OK, as a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

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
constexpr DWORD kPollMilliseconds = 20;
constexpr DWORD kAppearTimeout = 10000;
constexpr int kSelfCloseSeconds = 1;
// Long enough after a 1 s self-close that a dialog still open has not closed itself.
constexpr DWORD kBeyondSelfClose = 2500;
constexpr DWORD kChildEndTimeout = 10000;
constexpr DWORD kFatalExitStatus = 0xFFFFFFFF;

std::atomic<bool> automaticBrowsing{false};

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

HWND WaitForDialog(DWORD processId = ::GetCurrentProcessId(), DWORD timeout = kAppearTimeout) {
  for (DWORD waited = 0; waited < timeout; waited += kPollMilliseconds) {
    HWND dialog = FindDialogs(processId).found;
    if (dialog != nullptr) return dialog;
    ::Sleep(kPollMilliseconds);
  }
  return nullptr;
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

RECT TemplateRect(HWND dialog, int left, int top, int width, int height) {
  RECT units{left, top, width, height};
  ::MapDialogRect(dialog, &units);
  return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class ReportDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automaticBrowsing = false;
    InstallDialogReporter().SetAutomaticBrowsingQuery([] { return automaticBrowsing.load(); });
  }
};

TEST_F(ReportDialogTest, ShowsTheMessageCentredOnTopAndWaitsForOk) {
  struct Seen {
    std::string text;
    std::string okLabel;
    bool topmost = false;
    bool centred = false;
    bool textWhereLaidOut = false;
    bool okWhereLaidOut = false;
    bool openAfterSelfCloseTime = false;
  } seen;
  std::thread user([&seen] {
    HWND dialog = WaitForDialog();
    if (dialog == nullptr) return;
    seen.text = DialogText(dialog);
    char label[16] = "";
    ::GetDlgItemTextA(dialog, IDOK, label, sizeof label);
    seen.okLabel = label;
    seen.topmost = (::GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    RECT frame;
    ::GetWindowRect(dialog, &frame);
    int dx = (frame.left + frame.right) / 2 - ::GetSystemMetrics(SM_CXSCREEN) / 2;
    int dy = (frame.top + frame.bottom) / 2 - ::GetSystemMetrics(SM_CYSCREEN) / 2;
    seen.centred = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
    seen.textWhereLaidOut =
        SameRect(ControlRect(dialog, IDC_ERROR_REPORT_TEXT), TemplateRect(dialog, 55, 15, 165, 55));
    seen.okWhereLaidOut = SameRect(ControlRect(dialog, IDOK), TemplateRect(dialog, 95, 75, 50, 14));
    ::Sleep(kBeyondSelfClose);
    seen.openAfterSelfCloseTime = IsOpen(dialog);
    PressOk(dialog);
  });
  // Asks to close itself, but nothing browses on its own: it waits for OK.
  Report(kReportNonFatal, kSelfCloseSeconds, message::kCantCreateDirectory,
         {"temp", "Z:\\store\\CorvisantDatabase", 5});
  user.join();
  EXPECT_EQ(seen.text,
            "Corvisant can't create directory  temp under Z:\\store\\CorvisantDatabase by the "
            "reason 5. Make sure the disk isn't write protected nor it isn't full.");
  EXPECT_EQ(seen.okLabel, "OK");
  EXPECT_TRUE(seen.topmost);
  EXPECT_TRUE(seen.centred);
  EXPECT_TRUE(seen.textWhereLaidOut);
  EXPECT_TRUE(seen.okWhereLaidOut);
  EXPECT_TRUE(seen.openAfterSelfCloseTime);
}

TEST_F(ReportDialogTest, ClosesItselfAfterTheSecondsWhileAutomaticBrowsingRuns) {
  automaticBrowsing = true;
  bool appeared = false;
  bool hadToPressOk = false;
  std::thread user([&] {
    HWND dialog = WaitForDialog();
    appeared = dialog != nullptr;
    if (!appeared) return;
    for (DWORD waited = 0; IsOpen(dialog) && waited < kAppearTimeout; waited += kPollMilliseconds) {
      ::Sleep(kPollMilliseconds);
    }
    hadToPressOk = IsOpen(dialog);
    if (hadToPressOk) PressOk(dialog);
  });
  auto start = std::chrono::steady_clock::now();
  Report(kReportNonFatal, kSelfCloseSeconds, message::kCantOpenHtmlForRewrite, {"a.html"});
  double seconds = SecondsSince(start);
  user.join();
  EXPECT_TRUE(appeared);
  EXPECT_FALSE(hadToPressOk);
  EXPECT_GE(seconds, kSelfCloseSeconds * 0.9);
  EXPECT_LT(seconds, kSelfCloseSeconds + 3.0);
}

TEST_F(ReportDialogTest, SelfCloseZeroNeverClosesEvenWhileBrowsing) {
  automaticBrowsing = true;
  bool openLater = false;
  std::thread user([&openLater] {
    HWND dialog = WaitForDialog();
    if (dialog == nullptr) return;
    ::Sleep(kBeyondSelfClose);
    openLater = IsOpen(dialog);
    PressOk(dialog);
  });
  Report(kReportNonFatal, kReportNeverCloses, message::kCantWritePreferences);
  user.join();
  EXPECT_TRUE(openLater);
}

std::atomic<bool> secondReportReturned{false};

void CALLBACK RaiseSecondReport(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  Report(kReportNonFatal, kReportNeverCloses, message::kCantCheckFreeSpace);
  secondReportReturned = true;
}

TEST_F(ReportDialogTest, AReportRaisedWhileOneIsOpenIsDropped) {
  constexpr UINT kSecondReportAfter = 300;
  secondReportReturned = false;
  bool returnedWhileFirstOpen = false;
  int dialogsOpen = 0;
  std::string text;
  std::thread user([&] {
    HWND dialog = WaitForDialog();
    if (dialog == nullptr) return;
    for (DWORD waited = 0; !secondReportReturned && waited < kAppearTimeout;
         waited += kPollMilliseconds) {
      ::Sleep(kPollMilliseconds);
    }
    ::Sleep(kPollMilliseconds * 10);
    returnedWhileFirstOpen = secondReportReturned && IsOpen(dialog);
    dialogsOpen = FindDialogs(::GetCurrentProcessId()).count;
    text = DialogText(dialog);
    PressOk(dialog);
  });
  // The timer fires on this thread inside the dialog's modal loop, as the program's own timers do.
  ::SetTimer(nullptr, 0, kSecondReportAfter, RaiseSecondReport);
  Report(kReportNonFatal, kReportNeverCloses, message::kCantOpenPreferences);
  user.join();
  EXPECT_TRUE(returnedWhileFirstOpen);
  EXPECT_EQ(dialogsOpen, 1);
  EXPECT_EQ(text, "Corvisant can't open the preference file for saving.");
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
  HWND dialog = WaitForDialog(child.dwProcessId);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(DialogText(dialog), "Corvisant can't check free disk space.");
  ::Sleep(kBeyondSelfClose);
  EXPECT_EQ(::WaitForSingleObject(child.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT))
      << "the process waits for OK";
  PressOk(dialog);
  ASSERT_EQ(::WaitForSingleObject(child.hProcess, kChildEndTimeout), WAIT_OBJECT_0);
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
    if (expected == nullptr) {
      EXPECT_EQ(length, 0) << id;
    } else {
      EXPECT_EQ(std::string(text, length), expected) << id;
    }
  }
}

}  // namespace
}  // namespace corvisant

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], corvisant::kFatalChildFlag) == 0) {
    corvisant::InstallDialogReporter();
    corvisant::Report(corvisant::kReportFatal, corvisant::kReportNeverCloses,
                      corvisant::message::kCantCheckFreeSpace);
    return 0;  // never reached: a fatal report ends the process
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
