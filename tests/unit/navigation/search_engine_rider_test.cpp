#include "navigation/search_engine_rider.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "html/html_scanner.h"
#include "navigation/navigation_clock.h"
#include "navigation/navigation_state.h"
#include "navigation/sound_list.h"
#include "tests/support/test_process.h"
#include "tools/simulation/simulated_browser.h"

namespace corvisant {
namespace {

using Pages = std::map<std::string, std::string>;

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += text + " ";
  return joined;
}

// The rider on its own: each URL it gives is loaded at once with its page (an empty page when the
// table has none), until it gives none.
TEST(SearchEngineRider, OffersTheResultsOfItsEnginesPagesOnce) {
  // With no results a page, the search's next page is the page itself.
  const std::string self =
      "http://search.excite.com/search.gw?look=default&collection=web&search=x&start=0&"
      "showSummary=true&perPage=0";
  const std::string yahoo = "http://search.yahoo.com/s?p=x";
  const std::string excite = "http://www.excite.com/search.gw?s=y";
  const struct {
    std::string start;
    Pages pages;
    std::string offered;
  } cases[] = {
      {"http://x.t/", {{"http://x.t/", "<ul><a href=\"http://x.t/1\"></ul>"}}, "http://x.t/  "},
      {yahoo,
       {{yahoo, "<ul><a href=news:a><a href=mailto:b><a href=" + excite +
                    "><a href=http://a.t/1><a href=http://a.t/1></ul>"},
        {excite, "URL: <b>http://a.t/other</b>"}},
       yahoo + " " + excite + " http://a.t/1  "},
      {self, {{self, "URL: <b>http://a.t/1</b>"}}, self + " http://a.t/1  "},
  };
  testing::TestProcess process;
  for (const auto& c : cases) {
    {
      SearchEngineRider rider;
      rider.setStartUrl(c.start);
      std::vector<std::string> offered;
      while (offered.size() < c.pages.size() + 4 && (offered.empty() || !offered.back().empty())) {
        offered.push_back(rider.nextUrl());
        std::string html = c.pages.count(offered.back()) ? c.pages.at(offered.back()) : "";
        HtmlTokenPtr tags = ScanHtml(html.c_str(), nullptr);
        rider.pageLoaded(offered.back(), tags.get(), nullptr);
      }
      EXPECT_EQ(Joined(offered), c.offered) << c.start;
    }
    EXPECT_TRUE(process.files().List("CorvisantDatabase\\temp", "*").empty()) << "set deleted";
  }
}

// The browser in the process with the search services on its network: their result pages carry
// the search in the query, which the browser's site directory does not name. Every other page is
// a plain result. Every URL the browser is asked to show in its window is noted.
class RidingBrowser : public simulation::SimulatedBrowser {
 public:
  RidingBrowser(simulation::SimulatedClock& clock, const Pages& pages)
      : SimulatedBrowser(standin::Options(), clock), pages_(pages) {}

  DdeReply Transact(std::string_view service, std::string_view topic, std::string_view item,
                    unsigned type, unsigned timeoutMs) override {
    std::size_t end = item.find("\",,-1,");
    if (topic == dde::kOpenUrlTopic && end != std::string_view::npos) {
      opened.emplace_back(item.substr(1, end - 1));
    }
    return SimulatedBrowser::Transact(service, topic, item, type, timeoutMs);
  }

  std::vector<std::string> opened;

 private:
  standin::Fetched Fetch(const std::string& url) override {
    auto page = pages_.find(url);
    return {true, page == pages_.end() ? "<title>a result</title>" : page->second, "text/html"};
  }

  const Pages& pages_;
};

constexpr int kRidePassLimit = 2000;
constexpr int kSearchPasses = 20;

// A whole run: started as the controller starts it, stepped by the engine's clock until it ends.
std::string Ride(const char* start, const Pages& pages) {
  testing::TestProcess process;
  simulation::SimulatedClock clock(process.clock.Now());
  Installed<Clock> simulated(&clock);
  Current<SoundList>()->Assign("M", {"tada.wav"});
  process.preferences().navigationFinishSound = 1;
  process.preferences().miscellaneous = 0;  // a page with a fresh copy is then not read again
  RidingBrowser browser(clock, pages);
  standin::WindowId user = browser.browser().last_active();
  process.process().OpenEngine(browser);
  Current<BrowserControl>()->LinkOn(true);
  browser.browser().SetVisible(Current<BrowserLink>()->state().workWindowId, false);
  browser.browser().Activate(user);
  auto pass = [&clock, &browser] {
    clock.Advance(tick::kTimerPeriodMs);
    browser.RunDue();
    Current<NavigationClock>()->OnTimer();
  };
  // The user's search first: its page is stored fresh before the run starts on it.
  browser.browser().FollowLink(user, start);
  for (int i = 0; i < kSearchPasses; ++i) pass();
  StartNavigationRun(navigator_kind::kSearchEngineRider, start);
  for (int i = 0; i < kRidePassLimit && NavigatorRuns(); ++i) pass();
  EXPECT_FALSE(NavigatorRuns()) << start;
  EXPECT_EQ(process.sound.played(), std::vector<std::string>{"M\\tada.wav"}) << "finished";
  process.process().CloseEngine();
  return Joined(browser.opened);
}

TEST(SearchEngineRider, RidesThroughEveryResultAndNextPageOfASearch) {
  const std::string excite1 = "http://search.excite.com/search.gw?search=cats&perPage=2";
  const std::string excitePage =
      "http://search.excite.com/search.gw?look=default&collection=web&search=cats&start=";
  const std::string excite2 = excitePage + "2&showSummary=true&perPage=2";
  const std::string excite3 = excitePage + "4&showSummary=true&perPage=2";
  const std::string infoseek = "http://www.infoseek.com/Titles?qt=dogs";
  const std::string iol = "http://www.iol.it/";
  const struct {
    std::string start;
    Pages pages;
    std::string opened;
  } cases[] = {
      {excite1,
       {{excite1, "URL: <b>http://a.t/1</b>URL: <b>http://a.t/2</b>"},
        {excite2, "URL: <b>http://a.t/3</b>URL: <b>http://a.t/1</b>"},
        {excite3, "URL: <b>http://a.t/4</b>"}},  // fewer results than a page holds: the last
       excite1 + " http://a.t/1 http://a.t/2 " + excite2 + " http://a.t/3 " + excite3 +
           " http://a.t/4 "},
      {infoseek,
       {{infoseek, "http://b.t/1 <p>http://b.t/2"},
        {infoseek + "&st=10", "http://b.t/3 <p>http://b.t/3"},
        {infoseek + "&st=20", "no more results"}},
       infoseek + " http://b.t/1 http://b.t/2 " + infoseek + "&st=10 http://b.t/3 " + infoseek +
           "&st=20 "},
      {iol + "infoseek/q?cats",
       {{iol + "infoseek/q?cats",
         "<a href=/cgi/go?c1>1</a><a href=/cgi/go?c2>2</a><a href=p2>Successiva</a>"},
        {iol + "infoseek/p2", "<a href=/cgi/go?c3>3</a>"}},
       iol + "infoseek/q?cats " + iol + "cgi/go?c1 " + iol + "cgi/go?c2 " + iol + "infoseek/p2 " +
           iol + "cgi/go?c3 "},
  };
  for (const auto& c : cases) EXPECT_EQ(Ride(c.start.c_str(), c.pages), c.opened);
}

}  // namespace
}  // namespace corvisant
