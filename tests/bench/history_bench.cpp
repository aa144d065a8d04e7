// The history store at scale against SQLite: both record 1,000,000 visits (each one after a look
// at the newest entry, as the duplicate rule does) and read 10,000 entries at random positions
// when they hold 10,000 entries and again at 1,000,000. Prints the time per read at both sizes
// (their ratio should stay near 1: a read costs the same at any size) and the store's times as
// ratios of SQLite's. Times are the process's processor time (user and system), which other work
// on a shared machine disturbs far less than the wall clock; each read size is measured in a few
// rounds and the best round counts.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>

#include "app/process_objects.h"
#include "history/history_file.h"

namespace {

using namespace corvisant;

constexpr int kSmallSize = 10000;
constexpr int kLargeSize = 1000000;
constexpr int kReads = 10000;
constexpr int kReadRounds = 5;
constexpr int kSites = 5000;
constexpr UnixTime kStart = 881316184;
constexpr UnixTime kSecondsBetweenVisits = 30;
constexpr const char* kWorkDirectory = "history_bench_store";

struct Result {
  double appendSeconds = 0;  // per visit, over all visits
  double smallReadSeconds = 0;
  double largeReadSeconds = 0;
};
Result store;
Result peer;

std::string VisitUrl(int i) {
  return "http://site" + std::to_string(i % kSites) + ".example/dir/page" + std::to_string(i) +
         ".html";
}
std::string VisitTitle(int i) { return "Page " + std::to_string(i) + " of a visited site"; }

class SteppingClock : public Clock {
 public:
  UnixTime Now() override { return now; }
  void Sleep(unsigned) override {}
  UnixTime now = kStart;
};

double ProcessorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

template <typename Read>
double TimePerRead(int size, Read read) {
  std::mt19937 generator(size);
  std::uniform_int_distribution<int> position(0, size - 1);
  double best = 0;
  for (int round = 0; round < kReadRounds; ++round) {
    double start = ProcessorSeconds();
    for (int i = 0; i < kReads; ++i) read(position(generator));
    double perRead = (ProcessorSeconds() - start) / kReads;
    best = round == 0 ? perRead : std::min(best, perRead);
  }
  return best;
}

template <typename Append>
double TimeAppends(int from, int to, Append append) {
  double start = ProcessorSeconds();
  for (int i = from; i < to; ++i) append(i);
  return ProcessorSeconds() - start;
}

void RemoveStore(Files& files) {
  for (const char* path :
       {"CorvisantDatabase\\history\\HistoryIndex", "CorvisantDatabase\\history\\HistoryURL.0001",
        "visits.sqlite", "visits.sqlite-wal", "visits.sqlite-shm"}) {
    files.RemoveFile(path);
  }
}

void HistoryStore(benchmark::State& state) {
  Files& files = *Current<Files>();
  for (auto _ : state) {
    RemoveStore(files);
    SteppingClock clock;
    Installed<Clock> stepping(&clock);
    OpenFilesTable table;
    HistoryFile history(table);
    if (!history.OpenHistory()) state.SkipWithError("cannot open the history");
    std::size_t misses = 0;
    auto append = [&](int i) {
      std::string title = VisitTitle(i);
      clock.now += kSecondsBetweenVisits;
      misses += !history.RecordVisit(VisitUrl(i), true, &title);
    };
    auto read = [&](int i) { misses += history.ReadEntryFromOldest(i) == nullptr; };
    double appending = TimeAppends(0, kSmallSize, append);
    store.smallReadSeconds = TimePerRead(kSmallSize, read);
    appending += TimeAppends(kSmallSize, kLargeSize, append);
    store.largeReadSeconds = TimePerRead(kLargeSize, read);
    store.appendSeconds = appending / kLargeSize;
    if (misses != 0 || history.Count() != kLargeSize) state.SkipWithError("lost visits");
  }
}

void Exec(sqlite3* db, const char* sql) {
  if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
  }
}

// The same workload in one indexed SQLite table, each visit committed on its own and, like the
// store's streams, written to the system without waiting for the disk.
void Sqlite(benchmark::State& state) {
  for (auto _ : state) {
    RemoveStore(*Current<Files>());
    sqlite3* db = nullptr;
    if (sqlite3_open("visits.sqlite", &db) != SQLITE_OK) state.SkipWithError("sqlite open");
    Exec(db, "PRAGMA journal_mode=WAL");
    Exec(db, "PRAGMA synchronous=OFF");
    Exec(db,
         "CREATE TABLE visits (id INTEGER PRIMARY KEY, time INTEGER, url TEXT, title TEXT);"
         "CREATE INDEX visits_time ON visits (time)");
    sqlite3_stmt* newest = nullptr;
    sqlite3_stmt* insert = nullptr;
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT time, url, title FROM visits ORDER BY id DESC LIMIT 1", -1,
                       &newest, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO visits (id, time, url, title) VALUES (?, ?, ?, ?)", -1,
                       &insert, nullptr);
    sqlite3_prepare_v2(db, "SELECT time, url, title FROM visits WHERE id = ?", -1, &select,
                       nullptr);
    std::size_t misses = 0;
    UnixTime now = kStart;
    auto append = [&](int i) {
      now += kSecondsBetweenVisits;
      std::string url = VisitUrl(i);
      std::string title = VisitTitle(i);
      sqlite3_step(newest);
      sqlite3_reset(newest);
      sqlite3_bind_int(insert, 1, i);
      sqlite3_bind_int64(insert, 2, now);
      sqlite3_bind_text(insert, 3, url.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(insert, 4, title.c_str(), -1, SQLITE_TRANSIENT);
      misses += sqlite3_step(insert) != SQLITE_DONE;
      sqlite3_reset(insert);
    };
    auto read = [&](int i) {
      sqlite3_bind_int(select, 1, i);
      misses += sqlite3_step(select) != SQLITE_ROW;
      benchmark::DoNotOptimize(sqlite3_column_text(select, 1));
      sqlite3_reset(select);
    };
    double appending = TimeAppends(0, kSmallSize, append);
    peer.smallReadSeconds = TimePerRead(kSmallSize, read);
    appending += TimeAppends(kSmallSize, kLargeSize, append);
    peer.largeReadSeconds = TimePerRead(kLargeSize, read);
    peer.appendSeconds = appending / kLargeSize;
    if (misses != 0) state.SkipWithError("sqlite lost visits");
    sqlite3_finalize(newest);
    sqlite3_finalize(insert);
    sqlite3_finalize(select);
    sqlite3_close(db);
  }
}

BENCHMARK(HistoryStore)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(Sqlite)->Iterations(1)->Unit(benchmark::kSecond);

void PrintResult(const char* name, const Result& result) {
  constexpr double kMicro = 1e6;
  std::printf("%-13s append %.2f us/visit; read %.2f us at %d, %.2f us at %d (ratio %.2f)\n", name,
              result.appendSeconds * kMicro, result.smallReadSeconds * kMicro, kSmallSize,
              result.largeReadSeconds * kMicro, kLargeSize,
              result.largeReadSeconds / result.smallReadSeconds);
}

}  // namespace

int main(int argc, char** argv) {
  ProcessObjects process({SystemPorts()});
  Files& files = *Current<Files>();
  files.MakeDirectory(kWorkDirectory);
  if (!files.ChangeDirectory(kWorkDirectory)) return 1;
  files.MakeDirectory("CorvisantDatabase");
  files.MakeDirectory("CorvisantDatabase\\history");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintResult("history store", store);
  PrintResult("sqlite", peer);
  if (peer.appendSeconds > 0 && peer.smallReadSeconds > 0) {
    std::printf("store/sqlite: append %.2f, read at %d %.2f, read at %d %.2f\n",
                store.appendSeconds / peer.appendSeconds, kSmallSize,
                store.smallReadSeconds / peer.smallReadSeconds, kLargeSize,
                store.largeReadSeconds / peer.largeReadSeconds);
  }
  RemoveStore(files);
  return 0;
}
