#include "browser/browser_discovery.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/scripted_desktop.h"
#include "tests/support/test_process.h"

namespace corvisant {
namespace {

using testing::ScriptedDesktop;
using testing::ScriptedWindow;
using testing::TestProcess;

constexpr std::uint32_t kBrowser = 7;

// The discovery over a scripted desktop and a browser that lists its window ids and, when a
// test says so, opens a window on the desktop for every new-window request.
struct Discovery : DdePort {
  TestProcess process;
  ScriptedDesktop desktop;
  std::vector<std::uint32_t> ids;
  std::function<void()> onNewWindow;
  BrowserLink link{*this, process.clock};
  BrowserDiscovery discovery{desktop, link, process.clock};

  DdeReply Transact(std::string_view, std::string_view topic, std::string_view item, unsigned,
                    unsigned) override {
    std::string reply;
    if (topic == dde::kListWindowsTopic) {
      for (std::uint32_t id : ids) reply.append(reinterpret_cast<const char*>(&id), sizeof id);
      reply.append(sizeof(std::uint32_t), '\0');
    }
    if (topic == dde::kOpenUrlTopic && item.find(",,0,0") != std::string_view::npos &&
        onNewWindow) {
      onNewWindow();
    }
    return reply;
  }
  void SetServerCallback(DdeServerCallback*) override {}
};

TEST(BrowserDiscoveryRules, TitlesAndTheSavedPlace) {
  // clang-format off
  const struct { const char* title; int version; bool browser; } titles[] = {
      {"Page - Netscape", 4, true}, {"Netscape - [Page]", 4, false}, {"Page - netscape", 4, false},
      {"Netscape - [Page]", 3, true}, {"Page - Netscape", 3, false}, {"Netscape - [Page]", 0, true},
      {"Netscape", 4, true}, {"Netscap", 3, false},
  };
  const struct { ScreenPoint saved, placed; } places[] = {
      {{-20, 5000}, {0, 718}}, {{100, 200}, {100, 200}}, {{2000, -5}, {974, 0}}};
  // clang-format on
  for (const auto& c : titles) {
    EXPECT_EQ(IsBrowserWindowTitle(c.title, c.version), c.browser) << c.title << " " << c.version;
  }
  for (const auto& c : places) {
    ScreenPoint placed = ClampToScreen(c.saved, {1024, 768});
    EXPECT_EQ(std::make_pair(placed.x, placed.y), std::make_pair(c.placed.x, c.placed.y));
  }
}

// A browser window: "W - Netscape" of the browser's process, 640 x 480 at its place.
ScriptedWindow BrowserWindow(bool visible, int left = 40, int top = 30) {
  return {kBrowser, "W - Netscape", "", 0, 0, 0, visible, false, {left, top, left + 640, top + 480},
          {}};
}

TEST(BrowserDiscovery, TheWorkWindowIsTheNewWindowHiddenBehindTheUsers) {
  const struct {
    const char* name;
    bool running;
    std::vector<bool> shown;  // the browser windows there are, 1, 2, ...: shown or hidden
    bool minimised;
    bool newWindows;  // each new-window request opens a shown window
    bool savedPlace;  // the registry holds Left -20, Top 5000
    std::uint32_t workId;
    std::int64_t slept;
    const char* log;
  } cases[] = {
      // clang-format off
      {"a shown window: the work window opens behind it and the main frame comes forward",
       true, {true}, true, true, true, 2, 0,
       "hide 1\nhide 2\nhide 2\nmove 2 40,30\nfront 1\nrestore 1\nfront 50\n"},
      {"all hidden: one window asked for, the user's moved to the saved place",
       true, {false}, false, true, true, 3, 1000,
       "hide 2\nhide 3\nmove 2 0,718\nhide 3\nmove 3 0,718\nfront 2\nshow 2\nfront 50\nhide 1\n"},
      {"not running, none shown: two looks and no ask", false, {false}, false, true, true, 0, 2000,
       "hide 1\n"},
      {"running, but no window comes", true, {false}, false, false, true, 0, 2000, "hide 1\n"},
      {"no new window after the request: the user's window comes back",
       true, {true}, false, false, false, 0, 0, "hide 1\nshow 1\n"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Discovery browser;
    ScriptedDesktop& desktop = browser.desktop;
    WindowHandle next = 1;
    for (bool shown : c.shown) {
      desktop.Add(next, BrowserWindow(shown));
      desktop[next].minimized = c.minimised;
      browser.ids.push_back(static_cast<std::uint32_t>(next++));
    }
    desktop.Add(50, {0, "Corvisant", discovery::kMainFrameClass, 0, 0, 0, true, false, {}, {}});
    if (c.newWindows) {
      browser.onNewWindow = [&] {
        desktop.Add(next, BrowserWindow(true, 100, 100));
        browser.ids.push_back(static_cast<std::uint32_t>(next++));
      };
    }
    const std::string place = std::string("HKCU\\") + discovery::kMainWindowKey + "\\";
    if (c.savedPlace) desktop.registryNumbers[place + "Left"] = static_cast<std::uint32_t>(-20);
    if (c.savedPlace) desktop.registryNumbers[place + "Top"] = 5000;
    browser.link.state().browserVersion = 4;
    bool opened = browser.discovery.OpenWorkWindow(c.running);
    EXPECT_EQ(opened, c.workId != 0);
    EXPECT_EQ(browser.link.state().workWindowId, c.workId);
    EXPECT_EQ(browser.discovery.BrowserPresent(), opened);
    EXPECT_EQ(browser.process.clock.TotalSlept(), c.slept);
    EXPECT_EQ(desktop.TakeLog(), c.log);
    EXPECT_EQ(browser.process.reporter.ids(),
              opened ? std::vector<int>() : std::vector<int>{40024});
  }
}

}  // namespace
}  // namespace corvisant
