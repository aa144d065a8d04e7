// The engine's cost. Pages recorded per second when a user visits 500 pages of a real
// documentation site (Debian's Python 3.11 HTML) in the browser in the process with Rec on
// (the fetch through the queue and the rewrite included), against the rewriting alone of the same
// pages in the same run. And the request queue's cost per pass with 100, 1,000 and 10,000 queued
// requests waiting behind an outstanding save: the pass looks at the first request and sweeps the
// list once, so its cost per request stays flat.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/process_objects.h"
#include "html/stored_page_rewriter.h"
#include "navigation/request_queue.h"
#include "tools/simulation/simulation.h"
#include "url/page_store.h"

namespace {

namespace fs = std::filesystem;
using namespace corvisant;

constexpr const char* kCorpusDirectory = "/usr/share/doc/python3.11/html";
constexpr const char* kHost = "docs.example";
constexpr std::size_t kPages = 500;
constexpr std::uint64_t kSettleMs = 600000;

double ProcessorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

std::vector<std::string> SitePages() {
  std::vector<std::string> pages;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpusDirectory)) {
    if (entry.path().extension() == ".html") {
      pages.push_back(fs::relative(entry.path(), kCorpusDirectory).generic_string());
    }
  }
  std::sort(pages.begin(), pages.end());
  if (pages.size() > kPages) pages.resize(kPages);
  return pages;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every page visited by a user, one after the other, each recorded before the next.
double RecordPages(ProcessObjects& process, const std::vector<std::string>& pages,
                   const fs::path& site) {
  simulation::SimulationOptions options;
  options.siteDirectory = site.string();
  options.saveDelayMs = 0;
  simulation::Simulation run(process, options);
  double start = ProcessorSeconds();
  for (const std::string& page : pages) {
    run.UserOpens(std::string("http://") + kHost + "/" + page);
    run.RunUntilIdle(kSettleMs);
  }
  return ProcessorSeconds() - start;
}

// The rewrite alone: each page laid at its store name and rewritten.
double RewritePages(const std::vector<std::string>& pages) {
  double spent = 0;
  for (const std::string& page : pages) {
    std::string url = std::string("http://") + kHost + "/" + page;
    std::string path = EnsureDirectoriesFor(std::string(kHost) + "/" + page);
    std::string bytes = ReadAll(fs::path(kCorpusDirectory) / page);
    StreamPtr out = Current<Files>()->Open(path, "wb");
    out->WriteText(bytes);
    out->Close();
    double start = ProcessorSeconds();
    std::string title;
    RewriteStoredPage(NormaliseUrlForStore(url, nullptr, false), url, path, &title);
    spent += ProcessorSeconds() - start;
  }
  return spent;
}

// Processor seconds of one pass over queued requests behind an outstanding save.
double PassCost(std::size_t queued) {
  RequestQueue queue(Current<Clock>()->Now());
  for (std::size_t i = 0; i < queued; ++i) {
    std::string url = "http://" + std::string(kHost) + "/i" + std::to_string(i) + ".gif";
    queue.addRequest(url, url, "x" + std::to_string(i), 0);
  }
  UnixTime now = Current<Clock>()->Now();
  queue.pump(now);
  constexpr int kPasses = 2000;
  double start = ProcessorSeconds();
  for (int pass = 0; pass < kPasses; ++pass) queue.pump(now);
  return (ProcessorSeconds() - start) / kPasses;
}

}  // namespace

int main() {
  if (!fs::is_directory(kCorpusDirectory)) {
    std::printf("engine_bench: skipped: no %s (scripts/setup installs python3.11-doc)\n",
                kCorpusDirectory);
    return 0;
  }
  fs::path scratch = fs::temp_directory_path() /
                     ("engine-bench-" +
                      std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(scratch / "site");
  fs::create_directories(scratch / "recorded");
  fs::create_directories(scratch / "rewritten");
  fs::create_directory_symlink(kCorpusDirectory, scratch / "site" / kHost);
  fs::path previous = fs::current_path();
  std::vector<std::string> pages = SitePages();

  ProcessObjects process({SystemPorts()});
  fs::current_path(scratch / "recorded");
  process.OpenStore(StoreOptions());
  PrepareStore();
  double recording = RecordPages(process, pages, scratch / "site");
  fs::current_path(scratch / "rewritten");
  process.OpenStore(StoreOptions());
  PrepareStore();
  double rewriting = RewritePages(pages);
  std::printf(
      "engine: %zu pages recorded in %.2f s (%.0f pages/s); rewriting alone %.2f s (%.0f "
      "pages/s): recording costs %.2f rewrites\n",
      pages.size(), recording, pages.size() / recording, rewriting, pages.size() / rewriting,
      recording / rewriting);

  double small = PassCost(100);
  double large = PassCost(10000);
  std::printf(
      "queue: a pass costs %.2f us with 100 requests, %.2f us with 1,000, %.2f us with 10,000: "
      "%.3f ns and %.3f ns per request\n",
      small * 1e6, PassCost(1000) * 1e6, large * 1e6, small / 100 * 1e9, large / 10000 * 1e9);

  process.CloseStore();
  fs::current_path(previous);
  fs::remove_all(scratch);
  return 0;
}
