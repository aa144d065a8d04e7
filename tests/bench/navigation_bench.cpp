// Automatic browsing at scale, over a generated site of 100,000 pages in 1,000 directories, each
// page with 10 links: a breadth-first crawl in the simulated browser with showPage 0 (steps per
// second, against the same pages opened one after another by the user, which the recording
// pipeline fetches and processes alike); the visited set's cost per lookup at 1,000 and at
// 100,000 URLs (flat is the goal; a std::unordered_set in memory beside it); and the density
// file's pick of a stored page against choosing a line from a plain list of the same paths held
// in memory (both confirm that the page chosen is an HTML file). Times are processor time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/process_objects.h"
#include "navigation/local_storage_navigator.h"
#include "navigation/navigation_clock.h"
#include "navigation/visited_set.h"
#include "tools/simulation/simulation.h"
#include "url/classify.h"
#include "url/page_store.h"

namespace {

using namespace corvisant;

constexpr int kPages = 100000;
constexpr int kPagesPerDirectory = 100;
constexpr int kLinksPerPage = 10;
constexpr int kLinkStride = 7919;
// The crawl goes until it has opened every page it reaches; the user opens this many.
constexpr int kUserVisits = 10000;
constexpr int kSmallSet = 1000;
constexpr int kLookups = 20000;
constexpr int kPicks = 2000;
constexpr const char* kHost = "bench.test";
// Beside the benchmark program, and kept between runs: the site takes a while to write.
constexpr const char* kWorkDirectory = "corvisant-navigation-bench";
constexpr const char* kSiteMarker = "bench.test\\complete";

double ProcessorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

std::string PagePath(int i) {
  return "d" + std::to_string(i / kPagesPerDirectory) + "/p" +
         std::to_string(i % kPagesPerDirectory) + ".html";
}

std::string PageUrl(int i) { return std::string("http://") + kHost + "/" + PagePath(i); }

// The site, written once and kept for later runs.
bool MakeSite() {
  Files& files = *Current<Files>();
  if (files.Kind(kSiteMarker) == PathKind::kFile) return true;
  files.MakeDirectory(kHost);
  for (int i = 0; i < kPages; ++i) {
    if (i % kPagesPerDirectory == 0) {
      files.MakeDirectory(std::string(kHost) + "\\d" + std::to_string(i / kPagesPerDirectory));
    }
    std::string page = "<html><title>page " + std::to_string(i) + "</title><body>";
    for (int k = 1; k <= kLinksPerPage; ++k) {
      page += "<a href=\"../" + PagePath((i * kLinksPerPage + k * kLinkStride) % kPages) + "\">" +
              std::to_string(k) + "</a> ";
    }
    std::string path = std::string(kHost) + "\\" + PagePath(i);
    for (char& c : path) c = c == '/' ? '\\' : c;
    StreamPtr stream = files.Open(path, "wb");
    if (stream == nullptr || !stream->WriteText(page + "</body></html>")) return false;
  }
  return files.Open(kSiteMarker, "wb") != nullptr;
}

struct Results {
  double crawlStepsPerSecond = 0;
  int crawlSteps = 0;
  double visitsPerSecond = 0;
  double lookupSmall = 0, lookupLarge = 0, peerSmall = 0, peerLarge = 0;
  double densityPick = 0, listPick = 0;
} results;

// The engine over the site with the link on, pages shown 0 s, nothing kept but what is needed.
struct Engine {
  explicit Engine(ProcessObjects& process) : simulation(process, Options()) {
    Preferences& preferences = *Current<Preferences>();
    preferences.showPage = 0;
    preferences.keepLocalCopies = 0;
    preferences.recordHistory = 0;
  }
  static simulation::SimulationOptions Options() {
    simulation::SimulationOptions options;
    options.siteDirectory = Current<Files>()->CurrentDirectory();
    return options;
  }
  simulation::Simulation simulation;
};

void Crawl(benchmark::State& state, ProcessObjects* process) {
  for (auto _ : state) {
    Engine engine(*process);
    int opens = 0;
    engine.simulation.browser().ObserveOpens([&opens](const std::string&) { ++opens; });
    double start = ProcessorSeconds();
    StartNavigationRun(navigator_kind::kBreadthFirst, PageUrl(0));
    while (NavigatorRuns()) engine.simulation.Run(tick::kTimerPeriodMs);
    results.crawlStepsPerSecond = opens / (ProcessorSeconds() - start);
    results.crawlSteps = opens;
    StopNavigationRun(true);
    engine.simulation.browser().ObserveOpens(nullptr);
  }
}

void Visits(benchmark::State& state, ProcessObjects* process) {
  constexpr std::uint64_t kVisitLimitMs = 60000;
  for (auto _ : state) {
    Engine engine(*process);
    double start = ProcessorSeconds();
    for (int i = 0; i < kUserVisits; ++i) {
      engine.simulation.UserOpens(PageUrl(i * kLinkStride % kPages));
      engine.simulation.RunUntilIdle(kVisitLimitMs);
    }
    results.visitsPerSecond = kUserVisits / (ProcessorSeconds() - start);
  }
}

template <typename Find>
double TimePerLookup(int size, Find find) {
  std::mt19937 generator(size);
  std::uniform_int_distribution<int> page(0, 2 * size - 1);  // half of them misses
  double start = ProcessorSeconds();
  int found = 0;
  for (int i = 0; i < kLookups; ++i) found += find(PageUrl(page(generator)));
  benchmark::DoNotOptimize(found);
  return (ProcessorSeconds() - start) / kLookups;
}

void VisitedLookups(benchmark::State& state) {
  for (auto _ : state) {
    VisitedSet visited;
    std::unordered_set<std::string> peer;
    auto inSet = [&visited](const std::string& url) { return visited.Contains(url) ? 1 : 0; };
    auto inPeer = [&peer](const std::string& url) { return static_cast<int>(peer.count(url)); };
    for (int size : {kSmallSet, kPages}) {
      for (int i = static_cast<int>(peer.size()); i < size; ++i) {
        visited.Add(PageUrl(i));
        peer.insert(PageUrl(i));
      }
      (size == kSmallSet ? results.lookupSmall : results.lookupLarge) = TimePerLookup(size, inSet);
      (size == kSmallSet ? results.peerSmall : results.peerLarge) = TimePerLookup(size, inPeer);
    }
  }
}

void Picks(benchmark::State& state) {
  for (auto _ : state) {
    LocalStorageNavigator navigator;  // no dialogs: existing files are used, missing ones made
    if (navigator.entryCount() != kPages) state.SkipWithError("the density files are not whole");
    double start = ProcessorSeconds();
    for (int i = 0; i < kPicks; ++i) benchmark::DoNotOptimize(navigator.nextUrl());
    results.densityPick = (ProcessorSeconds() - start) / kPicks;
    std::vector<std::string> paths;
    for (int i = 0; i < kPages; ++i) paths.push_back(std::string(kHost) + "\\" + PagePath(i));
    std::mt19937 generator(kPages);
    std::uniform_int_distribution<int> line(0, kPages - 1);
    start = ProcessorSeconds();
    int html = 0;
    for (int i = 0; i < kPicks; ++i) html += IsHtmlFile(paths[line(generator)]) ? 1 : 0;
    results.listPick = (ProcessorSeconds() - start) / kPicks;
    if (html != kPicks) state.SkipWithError("a listed page is not an HTML file");
  }
}

}  // namespace

int main(int argc, char** argv) {
  constexpr double kMicro = 1e6;
  ProcessObjects process({SystemPorts()});
  std::error_code error;
  std::filesystem::path work =
      std::filesystem::absolute(argv[0], error).parent_path() / kWorkDirectory;
  std::filesystem::create_directories(work, error);
  std::filesystem::current_path(work, error);
  if (error || !process.OpenStore(StoreOptions()) || !MakeSite()) {
    std::fprintf(stderr, "navigation_bench: cannot lay out the site\n");
    return 1;
  }
  PrepareStore();
  benchmark::Initialize(&argc, argv);
  benchmark::RegisterBenchmark("BreadthFirstCrawl", Crawl, &process)->Iterations(1);
  benchmark::RegisterBenchmark("UserVisits", Visits, &process)->Iterations(1);
  benchmark::RegisterBenchmark("VisitedSetLookups", VisitedLookups)->Iterations(1);
  benchmark::RegisterBenchmark("DensityPicks", Picks)->Iterations(1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf(
      "crawl: %d of %d pages opened, %.0f steps/s; %d user visits of such pages %.0f/s; "
      "ratio %.2f\n",
      results.crawlSteps, kPages, results.crawlStepsPerSecond, kUserVisits, results.visitsPerSecond,
      results.visitsPerSecond > 0 ? results.crawlStepsPerSecond / results.visitsPerSecond : 0);
  std::printf(
      "visited set: %.2f us per lookup at %d, %.2f us at %d (ratio %.2f); "
      "in memory %.3f us and %.3f us (ratio %.2f)\n",
      results.lookupSmall * kMicro, kSmallSet, results.lookupLarge * kMicro, kPages,
      results.lookupSmall > 0 ? results.lookupLarge / results.lookupSmall : 0,
      results.peerSmall * kMicro, results.peerLarge * kMicro,
      results.peerSmall > 0 ? results.peerLarge / results.peerSmall : 0);
  std::printf("density pick %.1f us, line of a plain list %.1f us: ratio %.2f\n",
              results.densityPick * kMicro, results.listPick * kMicro,
              results.listPick > 0 ? results.densityPick / results.listPick : 0);
  return 0;
}
