// Stored-page rewrite throughput over real pages (the HTML of Debian's Python 3.11
// documentation, laid into a scratch store as saved copies of http://docs.example/...), against a
// plain copy of the same files in the same run: the physical floor of reading and writing every
// file once. Aim: a rewrite costs less than three plain copies.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/process_objects.h"
#include "common/preferences.h"
#include "html/stored_page_rewriter.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kCorpusDirectory = "/usr/share/doc/python3.11/html";
constexpr const char* kSiteUrl = "http://docs.example/";
constexpr const char* kSiteDirectory = "docs.example";
constexpr const char* kCopySuffix = ".copy";
constexpr double kBytesPerMegabyte = 1e6;
constexpr const char* kOurs = "RewriteStoredPage";
constexpr const char* kPeer = "PlainCopy";

struct StoredPage {
  std::string url;
  std::string localPath;  // Windows form, relative to the scratch store
  std::string original;
};

struct Store {
  std::vector<StoredPage> pages;
  std::size_t bytes = 0;
};

Store& TheStore() {
  static Store store;
  return store;
}

// Processor seconds (the process's own, so that other load on the machine does not count) and
// bytes of each benchmark's timed parts, for the ratio at the end.
std::map<std::string, std::pair<double, double>>& Measured() {
  static std::map<std::string, std::pair<double, double>> measured;
  return measured;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  corvisant::StreamPtr stream = corvisant::Current<corvisant::Files>()->Open(path, "wb");
  return stream != nullptr && stream->Write(bytes.data(), bytes.size()) == bytes.size() &&
         stream->Close();
}

// Every ".html" file under the corpus, in path order, laid into the store under the site
// directory; the store is the working directory.
Store LayStore(const fs::path& corpus, const fs::path& scratch) {
  Store store;
  std::error_code error;
  if (!fs::is_directory(corpus, error)) return store;
  std::vector<fs::path> paths;
  for (auto it = fs::recursive_directory_iterator(corpus, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file(error) && it->path().extension() == ".html") paths.push_back(*it);
  }
  std::sort(paths.begin(), paths.end());
  for (const fs::path& path : paths) {
    std::string relative = fs::relative(path, corpus).generic_string();
    fs::create_directories((scratch / kSiteDirectory / relative).parent_path());
    std::ifstream file(path, std::ios::binary);
    StoredPage page;
    page.original.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    page.url = kSiteUrl + relative;
    page.localPath = std::string(kSiteDirectory) + "/" + relative;
    std::replace(page.localPath.begin(), page.localPath.end(), '/', '\\');
    store.bytes += page.original.size();
    store.pages.push_back(std::move(page));
  }
  return store;
}

void RestorePages(benchmark::State& state) {
  state.PauseTiming();
  for (const StoredPage& page : TheStore().pages) WriteFile(page.localPath, page.original);
  state.ResumeTiming();
}

template <typename Body>
void Measure(benchmark::State& state, const char* name, Body body) {
  double seconds = 0;
  for (auto _ : state) {
    RestorePages(state);
    std::clock_t start = std::clock();
    body();
    seconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  }
  double bytes = static_cast<double>(state.iterations()) * static_cast<double>(TheStore().bytes);
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  auto& total = Measured()[name];
  total.first += seconds;
  total.second += bytes;
}

void RewritePages(benchmark::State& state) {
  Measure(state, kOurs, [] {
    std::string title;
    for (const StoredPage& page : TheStore().pages) {
      int result = corvisant::RewriteStoredPage(page.url, page.url, page.localPath, &title);
      benchmark::DoNotOptimize(result);
    }
  });
}

// Reads each file whole and writes it whole into another file, as the rewrite reads and writes it.
void CopyPages(benchmark::State& state) {
  Measure(state, kPeer, [] {
    std::string bytes;
    for (const StoredPage& page : TheStore().pages) {
      corvisant::StreamPtr from =
          corvisant::Current<corvisant::Files>()->Open(page.localPath, "rb");
      bytes.resize(static_cast<std::size_t>(from->Size()));
      bytes.resize(from->Read(bytes.data(), bytes.size()));
      WriteFile(page.localPath + kCopySuffix, bytes);
    }
  });
}

double Throughput(const char* name) {
  auto found = Measured().find(name);
  if (found == Measured().end() || found->second.first <= 0) return 0;
  return found->second.second / found->second.first;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  corvisant::ProcessObjects process({corvisant::SystemPorts()});
  fs::path scratch = fs::temp_directory_path() /
                     ("rewrite-bench-" +
                      std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(scratch);
  fs::path previous = fs::current_path();
  fs::current_path(scratch);
  process.OpenStore(corvisant::StoreOptions());
  TheStore() = LayStore(kCorpusDirectory, scratch);
  if (TheStore().pages.empty()) {
    std::printf(
        "rewrite_bench: skipped: no real-page corpus (no .html files under %s; "
        "scripts/setup installs it with the Debian package python3.11-doc)\n",
        kCorpusDirectory);
  } else {
    std::printf("corpus: %zu pages, %.1f MB from %s as %s...\n", TheStore().pages.size(),
                static_cast<double>(TheStore().bytes) / kBytesPerMegabyte, kCorpusDirectory,
                kSiteUrl);
    benchmark::RegisterBenchmark(kOurs, RewritePages)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kPeer, CopyPages)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    double ours = Throughput(kOurs);
    double peer = Throughput(kPeer);
    if (ours <= 0 || peer <= 0) {
      std::printf("ratio: not measured (a benchmark was filtered out)\n");
    } else {
      std::printf(
          "RewriteStoredPage %.1f MB/s, plain copy %.1f MB/s, a rewrite costs %.2f plain copies "
          "(aim: below 3)\n",
          ours / kBytesPerMegabyte, peer / kBytesPerMegabyte, peer / ours);
    }
  }
  benchmark::Shutdown();
  fs::current_path(previous);
  fs::remove_all(scratch);
  return 0;
}
