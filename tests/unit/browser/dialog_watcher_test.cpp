#include "browser/dialog_watcher.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/fake_clock.h"
#include "tests/support/scripted_dde.h"
#include "tests/support/scripted_desktop.h"

namespace corvisant {
namespace {

using testing::ScriptedDesktop;
using testing::ScriptedWindow;

TEST(DialogRules, AlertTitlesInEveryLanguageAndBothCaptions) {
  for (std::string_view alert : kAlertTitles) {
    std::string title(alert);
    EXPECT_TRUE(IsBrowserAlertTitle(title + " - Netscape", 4)) << title;
    EXPECT_TRUE(IsBrowserAlertTitle("Netscape - [" + title + "]", 3)) << title;
    EXPECT_FALSE(IsBrowserAlertTitle(title + " - Netscape", 3)) << title;
    EXPECT_FALSE(IsBrowserAlertTitle(title, 4)) << title;
  }
  const struct {
    const char* title;
    int version;
    bool alert;
  } cases[] = {
      {"Alert - Netscape Communicator", 4, false},
      {"Alert...........", 4, true},  // the caption is taken off by its length only
      {"............Alert.", 3, true},
      {"alert - Netscape", 4, false},
      {"Netscape - [Alert]", 4, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsBrowserAlertTitle(c.title, c.version), c.alert) << c.title;
}

TEST(DialogRules, ProgressByTitleSizeOrAChildThatShowsProgress) {
  for (const auto* table : {&kSavingDocumentTitles, &kSavingLocationTitles}) {
    for (std::string_view title : *table) {
      EXPECT_TRUE(IsProgressDialog({std::string(title)})) << title;
      EXPECT_FALSE(IsProgressDialog({std::string(title) + " "})) << title;
    }
  }
  const struct {
    ProgressFacts facts;
    bool progress;
  } cases[] = {
      {{"", 385, 150}, true},
      {{"", 385, 151}, false},
      {{"", 0, 0, {{"Static", "Location"}, {"NSProgress", ""}}}, true},
      {{"", 0, 0, {{"NSProgres", ""}}}, false},
      {{"", 0, 0, {{"Static", "45%"}}}, true},
      {{"", 0, 0, {{"Static", "00:00:12"}}}, true},
      {{"", 0, 0, {{"Static", "0:00:12"}}}, false},
      {{"", 0, 0, {{"Static", "% done"}}}, false},
      {{"saving document"}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsProgressDialog(c.facts), c.progress) << c.facts.title;
}

constexpr std::uint32_t kBrowser = 7;
// The dialogs of the browser's desktop.
constexpr WindowHandle kAlert = 10, kAlertOk = 12, kModal = 20, kProgress = 30, kForeign = 40;
constexpr std::uint32_t kTab = window_style::kTabStop, kGroup = window_style::kGroup;

ScriptedWindow Window(const char* text, std::uint32_t extended, ScreenRect rect,
                      std::uint32_t process = kBrowser) {
  ScriptedWindow window;
  window.process = process;
  window.text = text;
  window.extendedStyle = extended;
  window.rect = rect;
  return window;
}

ScriptedWindow Button(const char* text, int id, int right, int bottom, std::uint32_t style) {
  ScriptedWindow button = Window(text, 0, {right - 80, bottom - 24, right, bottom});
  button.className = "Button";
  button.controlId = id;
  button.style = 0x50000000 | style;
  return button;
}

// A browser window, an alert, a modal dialog whose bottom-right button is Continue (Details
// shares its right edge higher up; Outside lies beyond the dialog), a progress dialog and
// another program's alert; those in present are there.
void Lay(ScriptedDesktop& desktop, const std::vector<WindowHandle>& present) {
  desktop.Add(1, Window("Page - Netscape", 0, {0, 0, 640, 480}));
  auto there = [&](WindowHandle w) {
    return std::find(present.begin(), present.end(), w) != present.end();
  };
  if (there(kAlert)) {
    desktop.Add(kAlert, Window("Alert - Netscape", 1, {100, 100, 420, 210}));
    desktop.Add(11, Window("Netscape is unable to locate the server.", 0, {}), kAlert);
    desktop.Add(kAlertOk, Button("OK", 1, 300, 200, kTab | kGroup), kAlert);
  }
  if (there(kModal)) {
    desktop.Add(kModal, Window("Security Information", 1, {300, 300, 680, 440}));
    desktop.Add(21, Button("Details", 101, 670, 340, kTab | kGroup), kModal);
    desktop.Add(22, Button("Continue", 104, 670, 430, kTab), kModal);
    desktop.Add(23, Button("Help", 103, 400, 430, kTab), kModal);
    desktop.Add(24, Button("Outside", 105, 700, 430, kTab), kModal);
  }
  if (there(kProgress)) {
    desktop.Add(kProgress, Window("Saving Document", 1, {0, 0, 380, 120}));
    desktop.Add(31, Button("Cancel", 2, 370, 110, kTab | kGroup), kProgress);
  }
  if (there(kForeign)) desktop.Add(kForeign, Window("Alert - Netscape", 1, {}, 8));
  // The alert goes when its OK button is released.
  desktop.onSend = [&desktop](WindowHandle window, unsigned message, std::uintptr_t) {
    if (window == kAlertOk && message == window_message::kLeftUp) desktop.Remove(kAlert);
  };
}

struct Watcher : DialogAnswerPolicy {
  bool answer = false;
  int answered = 0;
  bool MayAnswer() override { return answer; }
  void Answered() override { ++answered; }
};

TEST(DialogWatcher, NewDialogsAndAlertsAreShownAndAnsweredWhenAllowed) {
  const char* pushOk = "send 12 513 1 327685\nwait\nsend 12 514 0 327685\n";
  const struct {
    const char* name;
    std::vector<WindowHandle> present;
    bool answer;
    // Each watch, 4 s apart: what it did, its result; the user closes the dialogs before the
    // last one.
    std::vector<std::pair<std::string, bool>> watches;
    int answered;
    std::int64_t slept;
  } cases[] = {
      {"an alert is shown again at every watch",
       {kAlert},
       false,
       {{"show 10\nfront 10\n", true}, {"show 10\nfront 10\n", true}, {"", false}},
       0,
       0},
      {"an alert answered has every OK pushed",
       {kAlert},
       true,
       {{"show 10\nfront 10\n" + std::string(pushOk), true}, {"", false}},
       1,
       100},
      {"a dialog is answered once, after 3 s, by its bottom-right button; true while it exists",
       {kModal},
       true,
       {{"show 20\nfront 20\nsend 20 273 104 0\n", true}, {"", true}, {"", false}},
       1,
       3000},
      {"a dialog not answered is shown once",
       {kModal},
       false,
       {{"show 20\nfront 20\n", true}, {"", true}, {"", false}},
       0,
       0},
      {"progress dialogs and other programs' alerts are not reported",
       {kProgress, kForeign},
       true,
       {{"", false}},
       0,
       0},
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
    Watcher policy;
    policy.answer = c.answer;
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
      EXPECT_EQ(link.state().raiseBrowserBeforeSave, !c.watches[0].first.empty()) << i;
      clock.Advance(4);
    }
    EXPECT_EQ(policy.answered, c.answered);
    EXPECT_EQ(link.state().refocusAfterDialog, c.answered > 0);
    EXPECT_EQ(watcher.lastBrowserDialogTime() != 0, !c.watches[0].first.empty());
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
  watcher.Dismiss(0);
  EXPECT_EQ(desktop.TakeLog(), "");
}

}  // namespace
}  // namespace corvisant
