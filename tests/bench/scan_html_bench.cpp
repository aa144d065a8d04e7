// ScanHtml throughput over real pages (the HTML of Debian's Python 3.11 documentation), against
// gumbo, an HTML5 parser from Debian, measured in the same run. The peer builds a whole tree while
// the scanner only tokenises, so the scanner should go at least twice as fast.
#include <benchmark/benchmark.h>
#include <gumbo.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "html/html_scanner.h"

namespace {

constexpr const char* kCorpusDirectory = "/usr/share/doc/python3.11/html";
constexpr double kBytesPerMegabyte = 1e6;
constexpr const char* kOurs = "ScanHtml";
constexpr const char* kPeer = "GumboParse";

struct Corpus {
  std::vector<std::string> pages;
  std::size_t bytes = 0;
};

Corpus& RealPages() {
  static Corpus corpus;
  return corpus;
}

// Every ".html" file under the directory, in path order so that runs compare alike.
Corpus LoadCorpus(const std::filesystem::path& directory) {
  Corpus corpus;
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) return corpus;
  std::vector<std::filesystem::path> paths;
  for (auto it = std::filesystem::recursive_directory_iterator(directory, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file(error) && it->path().extension() == ".html") {
      paths.push_back(it->path());
    }
  }
  std::sort(paths.begin(), paths.end());
  for (const auto& path : paths) {
    std::ifstream file(path, std::ios::binary);
    std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    corpus.bytes += page.size();
    corpus.pages.push_back(std::move(page));
  }
  return corpus;
}

void ScanHtmlPages(benchmark::State& state) {
  const Corpus& corpus = RealPages();
  std::size_t tokens = 0;
  for (auto _ : state) {
    for (const std::string& page : corpus.pages) {
      int looksLikeHtml = 0;
      corvisant::HtmlTokenPtr head = corvisant::ScanHtml(page.c_str(), &looksLikeHtml);
      for (const corvisant::HtmlToken* token = head.get(); token != nullptr;
           token = token->next.get()) {
        ++tokens;
      }
      benchmark::DoNotOptimize(head);
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.bytes));
  state.counters["tokens"] = static_cast<double>(tokens) / static_cast<double>(state.iterations());
}

void GumboParsePages(benchmark::State& state) {
  const Corpus& corpus = RealPages();
  for (auto _ : state) {
    for (const std::string& page : corpus.pages) {
      GumboOutput* output =
          gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
      benchmark::DoNotOptimize(output);
      gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.bytes));
}

// The console report, keeping each benchmark's throughput (the mean over its repetitions) for the
// ratio printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      auto rate = run.counters.find("bytes_per_second");
      if (run.run_type == Run::RT_Aggregate || rate == run.counters.end()) continue;
      Sum& sum = throughput_[run.run_name.function_name];
      sum.total += rate->second;
      ++sum.count;
    }
  }
  double Throughput(const std::string& name) const {
    auto found = throughput_.find(name);
    return found == throughput_.end() ? 0.0 : found->second.total / found->second.count;
  }

 private:
  struct Sum {
    double total = 0;
    int count = 0;
  };
  std::map<std::string, Sum> throughput_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RealPages() = LoadCorpus(kCorpusDirectory);
  if (RealPages().pages.empty()) {
    std::printf(
        "scan_html_bench: skipped: no real-page corpus (no .html files under %s; "
        "scripts/setup installs it with the Debian package python3.11-doc)\n",
        kCorpusDirectory);
    return 0;
  }
  std::printf("corpus: %zu pages, %.1f MB from %s\n", RealPages().pages.size(),
              static_cast<double>(RealPages().bytes) / kBytesPerMegabyte, kCorpusDirectory);
  benchmark::RegisterBenchmark(kOurs, ScanHtmlPages)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(kPeer, GumboParsePages)->Unit(benchmark::kMillisecond);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  double ours = reporter.Throughput(kOurs);
  double peer = reporter.Throughput(kPeer);
  if (ours <= 0 || peer <= 0) {
    std::printf("ratio: not measured (a benchmark was filtered out)\n");
    return 0;
  }
  std::printf("ScanHtml %.1f MB/s, gumbo %.1f MB/s, ratio (ours / peer) %.2f\n",
              ours / kBytesPerMegabyte, peer / kBytesPerMegabyte, ours / peer);
  return 0;
}
