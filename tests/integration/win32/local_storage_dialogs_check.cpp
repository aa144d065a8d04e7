// The local store's dialogs under Wine or Windows, answered by a user who is a timer on the test's
// thread, running inside the dialogs' message loops: it finds a dialog, reads it, posts a click.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "app/resources/resource_ids.h"
#include "navigation/local_storage_navigator.h"
#include "navigation/win32/win32_local_storage_dialogs.h"
#include "tests/support/test_process.h"

namespace corvisant {
namespace {

constexpr int kPages = 600;

std::string Text(HWND dialog, int id) {
  char text[256] = "";
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void Press(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// The user is called with the shown dialog of its title at every tick, while it lives.
struct DialogUser {
  DialogUser(const char* title, std::function<void(HWND)> step) {
    user = {title, std::move(step)};
    timer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, [](HWND, UINT, UINT_PTR, DWORD) {
      HWND dialog = ::FindWindowA("#32770", user.first);
      if (dialog != nullptr && ::IsWindowVisible(dialog)) user.second(dialog);
    });
  }
  ~DialogUser() { ::KillTimer(nullptr, timer); }
  static inline std::pair<const char*, std::function<void(HWND)>> user;
  UINT_PTR timer;
};

TEST(DensityQuestion, AnswersWithTheButtonPressed) {
  for (auto [button, answer] : {std::pair{IDC_DENSITY_RECREATE, DensityAnswer::kRecreate},
                                {IDC_DENSITY_USE_OLD, DensityAnswer::kUseOld},
                                {IDCANCEL, DensityAnswer::kCancel}}) {
    std::string seen;
    DialogUser user("Create a density file again?", [&, button = button](HWND dialog) {
      seen = Text(dialog, IDC_DENSITY_USE_OLD) + "|" +
             std::to_string(LOWORD(::SendMessageA(dialog, DM_GETDEFID, 0, 0)));
      Press(dialog, button);
    });
    EXPECT_EQ(Win32LocalStorageDialogs().AskRecreateDensity(), answer) << button;
    EXPECT_EQ(seen, "use old one|" + std::to_string(IDC_DENSITY_RECREATE)) << "the default";
  }
}

TEST(ScanningDisk, StopEndsTheWalkWithTheEntriesSoFar) {
  testing::TestProcess process;
  ASSERT_EQ(process.files().MakeDirectory("site"), 0);
  for (int i = 0; i < kPages; ++i) {
    ASSERT_TRUE(process.Write("site\\p" + std::to_string(i) + ".html", "<html></html>"));
  }
  Win32LocalStorageDialogs dialogs;
  Installed<LocalStorageDialogs> installed(&dialogs);
  std::string seen;
  int scanned = 0;
  HWND shown = nullptr;
  DialogUser user("Scanning Disk", [&](HWND dialog) {
    scanned = shown != nullptr ? scanned : std::stoi(Text(dialog, IDC_SCAN_SCANNED));
    if (shown != nullptr || scanned == 0) return;
    shown = dialog;
    seen = Text(dialog, IDC_SCAN_LABEL) + "|" + Text(dialog, IDC_SCAN_FOUND) + "|" +
           Text(dialog, IDC_SCAN_NAME).substr(0, 1);
    Press(dialog, IDC_SCAN_STOP);
  });
  LocalStorageNavigator navigator;
  ASSERT_NE(shown, nullptr);
  EXPECT_FALSE(::IsWindow(shown));
  // Messages are handled every tenth file, when the counters stand at a multiple of ten.
  EXPECT_EQ(seen, "HTML files found:|" + std::to_string(scanned) + "|p");
  EXPECT_EQ(scanned % 10, 0);
  EXPECT_TRUE(navigator.entryCount() > 0 && navigator.entryCount() < kPages);
  EXPECT_EQ(process.Read(DensityPath()).size(), 4u * navigator.entryCount());
}

}  // namespace
}  // namespace corvisant
