// The engine against the browser in the process: the recording of visited pages, the request
// queue's timings and the navigation tick, each rule as a table over a fresh store and clock.
#include <gtest/gtest.h>

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "history/history_file.h"
#include "navigation/engine_standins.h"
#include "navigation/navigation_clock.h"
#include "navigation/navigation_state.h"
#include "navigation/recording_pipeline.h"
#include "navigation/request_queue.h"
#include "tests/support/test_process.h"
#include "tools/simulation/simulation.h"
#include "url/page_store.h"

namespace corvisant {
namespace {

using simulation::Simulation;
using testing::kTestTime;
using testing::TestProcess;
using testing::TestProcessOptions;

constexpr const char* kPage = "<html><title>T</title><a href=b.html>b</a></html>";

// A run that the test steers: its kind, and what it was told.
class TestNavigator : public Navigator {
 public:
  explicit TestNavigator(int kind) : kind_(kind) {}
  int kind() const override { return kind_; }
  void pageVisited(std::string_view url) override { visited.emplace_back(url); }
  std::string nextUrl() override { return urls.empty() ? "" : Take(); }
  std::vector<std::string> visited;
  std::vector<std::string> urls;

 private:
  std::string Take() {
    std::string url = urls.front();
    urls.erase(urls.begin());
    return url;
  }
  int kind_;
};

struct EngineSetup {
  UnixTime start = kTestTime;
  std::uint32_t saveDelayMs = 300;
  // The store holds a copy of http://h1/a.html; the site holds h1/a.html and h1/i.gif.
  bool storedCopy = false;
};

// A store with the engine opened on the browser in the process and the link on.
struct Engine {
  explicit Engine(const EngineSetup& setup = EngineSetup())
      : process(TestProcessOptions{setup.start}) {
    Put("site\\h1\\a.html", kPage);
    Put("site\\h1\\i.gif", "GIF89a");
    if (setup.storedCopy) Put("h1\\a.html", kPage);
    simulation::SimulationOptions options;
    options.siteDirectory = process.root() + "\\site";
    options.saveDelayMs = setup.saveDelayMs;
    sim.emplace(process.process(), options);
    start = Current<Clock>()->Now();
    // The link's start leaves a cancel marker for the first pass.
    queue().pump(Current<Clock>()->Now());
  }
  void Put(const std::string& path, const std::string& bytes) {
    EXPECT_TRUE(process.Write(EnsureDirectoriesFor(path), bytes)) << path;
  }
  // Moves the clock to the start of second of the run.
  void At(UnixTime second) {
    std::uint64_t target = static_cast<std::uint64_t>(start + second) * 1000;
    sim->clock().Advance(target - sim->clock().milliseconds());
  }
  RecordingPipeline& pipeline() { return *Current<RecordingPipeline>(); }
  RequestQueue& queue() { return *Current<RequestQueue>(); }
  NavigationState& navigation() { return *Current<NavigationState>(); }
  TestNavigator& Run(int kind) {
    auto navigator = std::make_unique<TestNavigator>(kind);
    TestNavigator& running = *navigator;
    navigation().currentNavigator = std::move(navigator);
    return running;
  }
  void Echo(const std::string& url, const std::string& mime = "text/html") {
    pipeline().HandleUrlEcho("\"" + url + "\",\"" + mime + "\",1");
  }
  // The queue's requests as "URL FLAGS" lines.
  std::string Requests() {
    std::string lines;
    for (const FetchRequest& request : queue().requests()) {
      lines += request.url + " " + std::to_string(request.flags) + "\n";
    }
    return lines;
  }
  int HistoryCount() { return Current<HistoryFile>()->Count(); }

  TestProcess process;
  std::optional<Simulation> sim;
  UnixTime start = 0;
};

TEST(EngineRecording, EchoesAreFilteredAndClassified) {
  // Each row: echoes at seconds from the first; the arrival is seen when lastArrivalTime moves.
  struct Echoed {
    UnixTime at;
    std::string item;
    bool handled;
  };
  const struct {
    const char* name;
    bool running;
    std::vector<Echoed> echoes;
    std::string lastEchoUrl;
  } cases[] = {
      {"a repeat within 15 s is dropped, 16 s after the first handled",
       false,
       {{0, "\"http://h1/a.html\",\"text/html\"", true},
        {10, "\"http://h1/a.html\",\"text/html\"", false},
        {16, "\"http://h1/a.html\",\"text/html\"", true}},
       "http://h1/a.html"},
      {"during a run the window is 60 s",
       true,
       {{0, "\"http://h1/a.html\",\"text/html\"", true},
        {30, "\"http://h1/a.html\",\"text/html\"", false}},
       "http://h1/a.html"},
      {"images and pages with other extensions never repeat nor take the last URL",
       false,
       {{0, "\"http://h1/i.gif\",\"image/gif\"", true},
        {1, "\"http://h1/i.gif\",\"image/gif\"", true},
        {2, "\"http://h1/f.gz\",\"text/html\"", true},
        {3, "\"http://h1/f.gz\",\"text/html\"", true}},
       ""},
      {"no MIME field, backslashes as slashes, an escaped quote kept",
       false,
       {{0, "\"http://h1\\x\\\"y.html\"", true}, {1, "\"http://h1\\x\\\"y.html\"", true}},
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Engine engine;
    if (c.running) engine.Run(navigator_kind::kBreadthFirst);
    for (const Echoed& echo : c.echoes) {
      engine.At(echo.at + 1);
      engine.pipeline().lastArrivalTime = 0;
      engine.pipeline().HandleUrlEcho(echo.item);
      EXPECT_EQ(engine.pipeline().lastArrivalTime != 0, echo.handled) << echo.at;
    }
    EXPECT_EQ(engine.pipeline().lastEchoUrl.value_or(""), c.lastEchoUrl);
  }
  Engine slashes;
  slashes.pipeline().HandleUrlEcho("\"http://h1\\x\\\"y.html\"");
  EXPECT_EQ(slashes.pipeline().previousOpenUrl, std::nullopt);
  EXPECT_EQ(slashes.Requests(), "http://h1/x{y.html 0\n");
}

TEST(EngineRecording, RecordingLevelsDecideWhatIsFetched) {
  UnixTime now = std::time(nullptr);
  const struct {
    const char* name;
    int recordLevel;
    UnixTime clockAhead;
    bool storedCopy;
    std::string url;
    std::string requests;
    int historyEntries;
  } cases[] = {
      {"0x41 keeps a copy", 0x41, 0, true, "http://h1/a.html", "", 1},
      {"0x44 fetches it again", 0x44, 0, true, "http://h1/a.html", "http://h1/a.html 66\n", 0},
      {"0x48 leaves a copy of an hour", 0x48, 3600, true, "http://h1/a.html", "", 1},
      {"0x48 fetches a copy of two days", 0x48, 2 * 86400, true, "http://h1/a.html",
       "http://h1/a.html 66\n", 0},
      {"a page without copy is fetched", 0x41, 0, false, "http://h1/a.html", "http://h1/a.html 2\n",
       0},
      {"HTML only: an image gets a plain entry", 0x42, 0, false, "http://h1/i.gif", "", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Engine engine({now + c.clockAhead, 300, c.storedCopy});
    engine.process.preferences().recordLevel = c.recordLevel;
    engine.process.preferences().miscellaneous = 0;
    engine.sim->UserOpens(c.url);
    engine.sim->browser().RunDue();
    engine.Echo(c.url, c.url.find(".gif") != std::string::npos ? "image/gif" : "text/html");
    EXPECT_EQ(engine.Requests(), c.requests);
    EXPECT_EQ(engine.HistoryCount(), c.historyEntries);
  }
}

TEST(EngineRecording, WhoIsToldOfThePageAndWhatEntersTheHistory) {
  const struct {
    const char* name;
    bool localCopies;
    int runKind;
    int replayMode;
    std::string url;
    std::string requests;
    int historyEntries;
    bool pageDone;
  } cases[] = {
      {"mail: no entry, the run is told", true, navigator_kind::kBreadthFirst, 0x0F, "mailto:a@h1",
       "", 0, false},
      {"copies off, no run: one entry titled by the browser", false, -1, 0x0F, "http://h1/a.html",
       "", 1, false},
      {"copies off, a crawl: read into a temporary file", false, navigator_kind::kBreadthFirst,
       0x0F, "http://h1/a.html", "http://h1/a.html 3\n", 0, false},
      {"a replay with bit 2 makes no entry and is done", false, navigator_kind::kUrlRange, 0x04,
       "http://h1/a.html", "", 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Engine engine;
    Preferences& preferences = engine.process.preferences();
    preferences.keepLocalCopies = c.localCopies;
    preferences.replayMode = c.replayMode;
    preferences.miscellaneous = 0;
    TestNavigator* run = c.runKind >= 0 ? &engine.Run(c.runKind) : nullptr;
    if (run != nullptr) run->pageDone = 0;
    engine.sim->UserOpens(c.url);
    engine.sim->browser().RunDue();
    engine.Echo(c.url);
    EXPECT_EQ(engine.Requests(), c.requests);
    EXPECT_EQ(engine.HistoryCount(), c.historyEntries);
    if (run != nullptr) {
      EXPECT_EQ(run->pageDone != 0, c.pageDone || c.url[0] == 'm');
      EXPECT_EQ(run->visited.size(), c.url[0] == 'm' ? 1u : 0u);
    }
  }
}

TEST(EngineRecording, VisitTagPagesKeepTheRecButtonAndLateArrivalsAreDropped) {
  Engine engine;
  auto visits = std::make_unique<TestNavigator>(navigator_kind::kVisitTags);
  engine.navigation().visitNavigator = std::move(visits);
  engine.Echo("http://h1/a.html");
  EXPECT_EQ(engine.process.preferences().keepLocalCopies, 1);
  EXPECT_EQ(Current<ControllerPort>()->GetButtonState(button::kRec), button::kDown);
  // No copy is kept, but the page is still read for its Visit tags.
  EXPECT_EQ(engine.Requests(), "http://h1/a.html 3\n");

  Engine late;
  late.Run(navigator_kind::kBreadthFirst);
  late.pipeline().runStartTime = Current<Clock>()->Now() - 61;
  late.pipeline().previousOpenUrl = "http://h1/a.html";
  late.Echo("http://h1/a.html");
  EXPECT_EQ(late.Requests(), "");
  EXPECT_EQ(late.process.trace.lines().back(), "Arrived too late http://h1/a.html");
}

TEST(EngineQueue, SavesArriveAreRequeuedRetriedAndDropped) {
  const struct {
    const char* name;
    std::uint32_t saveDelayMs;
    std::vector<std::pair<UnixTime, std::string>> passes;  // second of the pass, requests after
  } cases[] = {
      {"arrives within 3 s",
       2000,
       {{1, "http://h1/i.gif 144\n"}, {3, "http://h1/i.gif 144\n"}, {4, ""}}},
      {"never arrives: requeued after 3 s, retried, dropped after 5 s more",
       600000,
       {{1, "http://h1/i.gif 144\n"},
        {5, "http://h1/i.gif 1152\n"},
        {6, "http://h1/i.gif 1680\n"},
        {11, "http://h1/i.gif 1680\n"},
        {12, ""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Engine engine({kTestTime, c.saveDelayMs, false});
    engine.queue().addRequest("http://h1/i.gif", "http://h1/i.gif", "h1\\i.gif", 0);
    for (const auto& [second, requests] : c.passes) {
      engine.At(second);
      engine.sim->browser().RunDue();
      engine.queue().pump(Current<Clock>()->Now());
      EXPECT_EQ(engine.Requests(), requests) << second;
    }
  }
  Engine cancelled;
  for (const char* url : {"http://h1/1.gif", "http://h1/2.gif", "http://h1/3.gif"}) {
    cancelled.queue().addRequest(url, url, "x", 0);
  }
  cancelled.queue().clear();
  cancelled.queue().pump(Current<Clock>()->Now());
  EXPECT_EQ(cancelled.Requests(), "");
  EXPECT_EQ(cancelled.queue().outstandingSince(), 0);
}

TEST(EngineQueue, AQueueWithoutProgressIsFlushedAfterItsStallLimit) {
  for (auto [show, limit] : {std::pair<int, UnixTime>{10, 40}, {20, 60}}) {
    Engine engine;
    engine.process.preferences().showPage = show;
    UnixTime start = Current<Clock>()->Now();
    engine.queue().isIdle(start);
    engine.queue().addRequest("http://h1/x.html", "http://h1/x.html", "x", 0);
    EXPECT_FALSE(engine.queue().isIdle(start + limit)) << show;
    EXPECT_TRUE(engine.queue().isIdle(start + limit + 1)) << show;
  }
}

// A browser watch that saw a dialog one second after the test's start.
struct DialogAfterStart : WindowlessBrowserWatch {
  using WindowlessBrowserWatch::WindowlessBrowserWatch;
  bool BrowserPresent() override { return true; }
  UnixTime LastBrowserDialogTime() override { return kTestTime + 1; }
};

TEST(EngineTick, ThePendingOpenAndTheForcedEndOfAPage) {
  const struct {
    const char* name;
    int show;
    bool openPending;
    bool dialogAfterOpen;
    bool pageDone;
    UnixTime forgottenAt;  // the second after the start at which the open is forgotten
    UnixTime stepsAt;      // ... and the run steps again
  } cases[] = {
      {"an open never echoed is forgotten after 1.5 shows", 20, true, false, true, 31, 31},
      {"with a dialog after it, taken as shown after 0.7 shows", 20, true, true, true, 15, 15},
      {"a page never reported is done after max(2 shows, 30 s)", 20, true, false, false, 31, 41},
      {"the same with show 10", 10, false, false, false, 0, 31},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Engine engine;
    DialogAfterStart dialogs(*Current<BrowserLink>());
    std::optional<Installed<BrowserWatch>> watch;
    if (c.dialogAfterOpen) watch.emplace(&dialogs);
    engine.process.preferences().showPage = c.show;
    TestNavigator& run = engine.Run(navigator_kind::kBreadthFirst);
    run.pageDone = c.pageDone;
    run.urls = {"http://h1/a.html"};
    UnixTime start = Current<Clock>()->Now();
    engine.navigation().lastStepTime = start;
    if (c.openPending) engine.pipeline().SetLastGoToURL("http://h1/never.html");
    UnixTime forgotten = 0;
    UnixTime stepped = 0;
    for (UnixTime second = 1; second <= 45 && stepped == 0; ++second) {
      NavigationClock().Tick(start + second);
      const std::optional<std::string>& pending = engine.pipeline().pendingOpenUrl;
      if (forgotten == 0 && pending.value_or("") != "http://h1/never.html") forgotten = second;
      if (run.urls.empty()) stepped = second;
    }
    EXPECT_EQ(c.openPending ? forgotten : 0, c.forgottenAt);
    EXPECT_EQ(stepped, c.stepsAt);
  }
}

// A Visit-tag run without a deadline steps at every tick: two passes in one second step it once.
TEST(EngineTick, TheTimerTicksOncePerSecond) {
  Engine engine;
  // Pages that need no fetch, so that the queue stays idle between the passes.
  engine.process.preferences().miscellaneous = 0;
  auto visits = std::make_unique<TestNavigator>(navigator_kind::kVisitTags);
  visits->urls = {"http://h1/a.html", "http://h1/a.html", "http://h1/a.html"};
  TestNavigator& run = *visits;
  engine.navigation().visitNavigator = std::move(visits);
  engine.At(1);
  Current<NavigationClock>()->OnTimer();
  Current<NavigationClock>()->OnTimer();
  EXPECT_EQ(run.urls.size(), 2u);
}

// The browser shows a page while the queue's pass waits in a save transaction: its echo adds a
// request to the queue that the pass is walking, and both pages end in the store.
TEST(EngineQueue, AnEchoInsideASaveTransactionKeepsTheQueueWhole) {
  Engine engine;
  engine.Put("site\\h1\\b.html", kPage);
  engine.queue().addRequest("http://h1/a.html", "http://h1/a.html", "h1\\a.html",
                            fetch_flag::kProcessPage);
  engine.sim->UserOpens("http://h1/b.html");
  engine.sim->clock().Advance(1000);
  EXPECT_EQ(engine.queue().pump(Current<Clock>()->Now()), 1);
  EXPECT_EQ(engine.Requests(), "http://h1/a.html 146\nhttp://h1/b.html 2\n");
  EXPECT_TRUE(engine.sim->RunUntilIdle(60000));
  EXPECT_EQ(engine.process.Read("h1\\a.html") + engine.process.Read("h1\\b.html"),
            std::string(kPage) + kPage);
  EXPECT_EQ(engine.HistoryCount(), 2);
}

}  // namespace
}  // namespace corvisant
