#include "browser/dialog_watcher.h"

#include <gtest/gtest.h>

#include "standin/core/dialogs.h"
#include "standin/core/options.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_dde.h"
#include "tests/support/scripted_desktop.h"

namespace corvisant {
namespace {

using testing::ScriptedDesktop;
using testing::ScriptedWindow;

// The stand-in's own titles of the nine languages, written apart from the system's.
TEST(DialogRules, TheBrowsersTitlesInEveryLanguage) {
  for (int language = 0; language < standin::kLanguageCount; ++language) {
    std::string alert(standin::AlertTitle(language));
    EXPECT_TRUE(IsBrowserAlertTitle(alert + " - Netscape", 4)) << alert;
    EXPECT_TRUE(IsBrowserAlertTitle("Netscape - [" + alert + "]", 3)) << alert;
    EXPECT_FALSE(IsBrowserAlertTitle(alert + " - Netscape", 3)) << alert;
    for (auto kind : {standin::SavingKind::kDocument, standin::SavingKind::kLocation}) {
      std::string saving(standin::SavingTitle(kind, language));
      EXPECT_TRUE(IsProgressDialog({saving, 0, 0, {}})) << saving;
      EXPECT_FALSE(IsProgressDialog({saving + " ", 0, 0, {}})) << saving;
    }
  }
  // clang-format off
  const struct { const char* title; int version; bool alert; } alerts[] = {
      {"Alert - Netscape Communicator", 4, false}, {"Alert", 4, false}, {"alert - Netscape", 4, false},
      {"Alert...........", 4, true}, {"............Alert.", 3, true},  // the caption's length only
  };
  const struct { ProgressFacts facts; bool progress; } dialogs[] = {
      {{"", 385, 150, {}}, true}, {{"", 385, 151, {}}, false}, {{"saving document", 0, 0, {}}, false},
      {{"", 0, 0, {{"Static", "Location"}, {"NSProgress", ""}}}, true},
      {{"", 0, 0, {{"NSProgres", ""}}}, false}, {{"", 0, 0, {{"Static", "45%"}}}, true},
      {{"", 0, 0, {{"Static", "00:00:12"}}}, true}, {{"", 0, 0, {{"Static", "0:00:12"}}}, false},
      {{"", 0, 0, {{"Static", "% done"}}}, false},
  };
  // clang-format on
  for (const auto& c : alerts)
    EXPECT_EQ(IsBrowserAlertTitle(c.title, c.version), c.alert) << c.title;
  for (const auto& c : dialogs) EXPECT_EQ(IsProgressDialog(c.facts), c.progress) << c.facts.title;
}

constexpr std::uint32_t kBrowser = 7;
constexpr WindowHandle kAlert = 10, kModal = 20, kProgress = 30, kForeign = 40;
constexpr std::uint32_t kTab = window_style::kTabStop, kGroup = window_style::kGroup;

ScriptedWindow Window(const char* text, std::uint32_t extended, ScreenRect rect, int id = 0,
                      std::uint32_t style = 0, std::uint32_t process = kBrowser) {
  return {process, text, id != 0 ? "Button" : "", style, extended, id, true, false, rect, {}};
}
void AddButton(ScriptedDesktop& desktop, WindowHandle dialog, WindowHandle handle, const char* text,
               int id, int right, int bottom, std::uint32_t style = kTab) {
  desktop.Add(handle, Window(text, 0, {right - 80, bottom - 24, right, bottom}, id, style), dialog);
}

// The browser's window and, of present: an alert (OK closes it), a modal dialog whose
// bottom-right button is Continue (Details shares its right edge higher up; Outside lies beyond
// the dialog), a progress dialog, another program's alert.
void Lay(ScriptedDesktop& desktop, const std::vector<WindowHandle>& present) {
  desktop.Add(1, Window("Page - Netscape", 0, {0, 0, 640, 480}));
  for (WindowHandle dialog : present) {
    if (dialog == kAlert) {
      desktop.Add(kAlert, Window("Alert - Netscape", 1, {100, 100, 420, 210}));
      desktop.Add(11, Window("Netscape is unable to locate the server.", 0, {}), kAlert);
      AddButton(desktop, kAlert, 12, "OK", 1, 300, 200, kTab | kGroup);
    } else if (dialog == kModal) {
      desktop.Add(kModal, Window("Security Information", 1, {300, 300, 680, 440}));
      AddButton(desktop, kModal, 21, "Details", 101, 670, 340, kTab | kGroup);
      AddButton(desktop, kModal, 22, "Continue", 104, 670, 430);
      AddButton(desktop, kModal, 23, "Help", 103, 400, 430);
      AddButton(desktop, kModal, 24, "Outside", 105, 700, 430);
    } else if (dialog == kProgress) {
      desktop.Add(kProgress, Window("Saving Document", 1, {0, 0, 380, 120}));
      AddButton(desktop, kProgress, 31, "Cancel", 2, 370, 110, kTab | kGroup);
    } else {
      desktop.Add(kForeign, Window("Alert - Netscape", 1, {}, 0, 0, 8));
    }
  }
  desktop.onSend = [&desktop](WindowHandle window, unsigned message) {
    if (window == 12 && message == window_message::kLeftUp) desktop.Remove(kAlert);
  };
}

struct Watcher : DialogAnswerPolicy {
  explicit Watcher(bool allowed) : answer(allowed) {}
  bool MayAnswer() override { return answer; }
  void Answered() override { ++answered; }
  bool answer;
  int answered = 0;
};

TEST(DialogWatcher, NewDialogsAndAlertsAreShownAndAnsweredWhenAllowed) {
  const std::string alert = "show 10\nfront 10\n", modal = "show 20\nfront 20\n";
  const std::string pushOk = "send 12 513 1 327685\nwait\nsend 12 514 0 327685\n";
  // Each watch, 4 s apart: what it did and its result; the user closes the dialogs before the
  // last one.
  const struct {
    const char* name;
    std::vector<WindowHandle> present;
    bool answer;
    std::vector<std::pair<std::string, bool>> watches;
    int answered;
    std::int64_t slept;
  } cases[] = {
      // clang-format off
      {"an alert is shown again at every watch", {kAlert}, false,
       {{alert, true}, {alert, true}, {"", false}}, 0, 0},
      {"an alert answered has every OK pushed", {kAlert}, true,
       {{alert + pushOk, true}, {"", false}}, 1, 100},
      {"a dialog is answered once after 3 s by its bottom-right button; true while it exists",
       {kModal}, true, {{modal + "send 20 273 104 0\n", true}, {"", true}, {"", false}}, 1, 3000},
      {"progress dialogs and other programs' alerts are left alone", {kProgress, kForeign}, true,
       {{"", false}}, 0, 0},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedDesktop desktop;
    Lay(desktop, c.present);
    testing::ScriptedDde dde;
    testing::FakeClock clock(1000);
    BrowserLink link(dde, clock);
    link.state().browserVersion = 4;
    DialogWatcher watcher(desktop, link, clock);
    Watcher policy(c.answer);
    for (std::size_t i = 0; i < c.watches.size(); ++i) {
      if (i + 1 == c.watches.size()) {
        for (WindowHandle dialog : c.present) desktop.Remove(dialog);
      }
      UnixTime now = clock.Now();
      EXPECT_EQ(watcher.Watch(kBrowser, policy), c.watches[i].second) << i;
      EXPECT_EQ(desktop.TakeLog(), c.watches[i].first) << i;
      if (!c.watches[i].first.empty()) {
        EXPECT_EQ(watcher.pendingDialogTime(), c.answer ? 0 : now) << i;
      }
      clock.Advance(4);
    }
    bool acted = !c.watches[0].first.empty();
    EXPECT_EQ(link.state().raiseBrowserBeforeSave, acted);
    EXPECT_EQ(watcher.lastBrowserDialogTime() != 0, acted);
    EXPECT_EQ(policy.answered, c.answered);
    EXPECT_EQ(link.state().refocusAfterDialog, c.answered > 0);
    EXPECT_EQ(clock.TotalSlept(), c.slept);
  }
}

TEST(DialogWatcher, DismissingAnswersOnlyTheProgressDialogs) {
  ScriptedDesktop desktop;
  Lay(desktop, {kAlert, kModal, kProgress, kForeign});
  testing::ScriptedDde dde;
  testing::FakeClock clock;
  BrowserLink link(dde, clock);
  DialogWatcher watcher(desktop, link, clock);
  watcher.Dismiss(kBrowser);
  EXPECT_EQ(desktop.TakeLog(), "send 30 273 2 0\n");
  EXPECT_EQ(clock.TotalSlept(), 3000);
}

}  // namespace
}  // namespace corvisant
