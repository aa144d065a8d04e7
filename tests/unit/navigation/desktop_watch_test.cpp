#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "navigation/desktop_browser_watch.h"
#include "navigation/navigation_state.h"
#include "tests/support/test_process.h"
#include "tools/simulation/simulation.h"
#include "url/page_store.h"

namespace corvisant {
namespace {

using testing::TestProcess;

// A run over a list of pages, done with each page when the browser echoes it (as a replay is).
class ListRun : public Navigator {
 public:
  explicit ListRun(std::vector<std::string> urls) : urls_(std::move(urls)) {}
  int kind() const override { return navigator_kind::kUrlRange; }
  std::string nextUrl() override { return next_ < urls_.size() ? urls_[next_++] : std::string(); }

 private:
  std::vector<std::string> urls_;
  std::size_t next_ = 0;
};

TEST(DesktopBrowserWatch, TheBrowsersAlertsAreAnsweredDuringARunAndTheRunGoesOn) {
  const struct {
    const char* name;
    bool run;
    bool answerAllowed;
    int pushes;  // OK buttons pushed
    std::size_t alertsLeft;
    std::optional<bool> finished;
  } cases[] = {
      {"every alert is answered and the run goes to its end", true, true, 2, 0, true},
      {"without the preference the alert waits for the user", true, false, 0, 1, std::nullopt},
      {"without a run the alert is shown, never answered", false, true, 0, 1, std::nullopt},
  };
  const std::vector<std::string> pages = {"http://h1/1.html", "http://h1/2.html",
                                          "http://h1/3.html", "http://h1/4.html"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestProcess process;
    for (int i = 1; i <= 4; ++i) {
      std::string path = "site\\h1\\" + std::to_string(i) + ".html";
      ASSERT_TRUE(process.Write(EnsureDirectoriesFor(path), "<title>" + path + "</title>"));
    }
    Preferences& preferences = process.preferences();
    preferences.showPage = 5;
    preferences.replayMode = c.answerAllowed ? replay_mode::kAnswerBrowserDialogs : 0;
    simulation::SimulationOptions options;
    options.siteDirectory = process.root() + "\\site";
    // The start page and entry.html in the work window are the first two pages shown: the
    // alerts come after the first and the last page of the run.
    options.alertEvery = 3;
    simulation::Simulation sim(process.process(), options);
    ASSERT_TRUE(sim.linkUp());
    if (c.run) {
      MakeNavigatorCurrent(std::make_unique<ListRun>(pages));
    } else {
      sim.UserOpens(pages[0]);
    }
    sim.Run(120000);
    const std::vector<std::string>& trace = process.trace.lines();
    EXPECT_EQ(
        std::count_if(trace.begin(), trace.end(),
                      [](const std::string& line) { return line.rfind("Pushing OK", 0) == 0; }),
        c.pushes);
    EXPECT_EQ(sim.browser().browser().dialogs().size(), c.alertsLeft);
    if (c.finished) EXPECT_EQ(!NavigatorRuns(), *c.finished);
  }
}

}  // namespace
}  // namespace corvisant
