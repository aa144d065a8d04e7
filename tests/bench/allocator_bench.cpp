// The allocator's single-threaded cost now that its pool is locked, against the pool as it was
// before the lock (an unlocked copy kept here as the peer) and against the plain C heap. The
// work is the system's own pattern: bursts of small strings and list nodes made and freed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "common/allocator.h"

namespace {

constexpr int kBurst = 64;
constexpr std::size_t kSizes[] = {8, 16, 24, 32, 12, 40, 20, 28};
constexpr std::size_t kSizeCount = sizeof kSizes / sizeof kSizes[0];

// The pool without its lock: 5,000 blocks of 32 bytes on a last-in-first-out list.
class UnlockedPool {
 public:
  UnlockedPool() : blocks_(static_cast<unsigned char*>(std::malloc(corvisant::kPoolBytes))) {
    for (std::size_t i = corvisant::kPoolBlockCount; i-- > 0;) {
      Push(blocks_ + i * corvisant::kPoolBlockSize);
    }
  }
  ~UnlockedPool() { std::free(blocks_); }

  void* Allocate(std::size_t size) {
    if (size <= corvisant::kPoolBlockSize && free_ != nullptr) {
      Node* node = free_;
      free_ = node->next;
      return node;
    }
    return std::malloc(size < corvisant::kPoolBlockSize ? corvisant::kPoolBlockSize : size);
  }
  void Free(void* block) {
    auto* bytes = static_cast<unsigned char*>(block);
    if (bytes >= blocks_ && bytes < blocks_ + corvisant::kPoolBytes) {
      Push(bytes);
    } else {
      std::free(block);
    }
  }

 private:
  struct Node {
    Node* next;
  };
  void Push(unsigned char* block) {
    auto* node = reinterpret_cast<Node*>(block);
    node->next = free_;
    free_ = node;
  }

  unsigned char* blocks_;
  Node* free_ = nullptr;
};

template <typename Allocate, typename Free>
void Bursts(benchmark::State& state, Allocate allocate, Free free) {
  void* blocks[kBurst];
  for (auto _ : state) {
    for (int i = 0; i < kBurst; ++i) blocks[i] = allocate(kSizes[i % kSizeCount]);
    benchmark::DoNotOptimize(blocks);
    for (int i = kBurst; i-- > 0;) free(blocks[i]);
  }
  state.SetItemsProcessed(state.iterations() * kBurst);
}

void LockedPool(benchmark::State& state) { Bursts(state, corvisant::Allocate, corvisant::Free); }

void PoolWithoutLock(benchmark::State& state) {
  UnlockedPool pool;
  Bursts(
      state, [&pool](std::size_t size) { return pool.Allocate(size); },
      [&pool](void* block) { pool.Free(block); });
}

void PlainHeap(benchmark::State& state) { Bursts(state, std::malloc, std::free); }

std::map<std::string, double>& Rates() {
  static std::map<std::string, double> rates;
  return rates;
}

class RateReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      auto items = run.counters.find("items_per_second");
      if (items != run.counters.end()) Rates()[run.benchmark_name()] = items->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

BENCHMARK(LockedPool);
BENCHMARK(PoolWithoutLock);
BENCHMARK(PlainHeap);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  double locked = Rates()["LockedPool"];
  double unlocked = Rates()["PoolWithoutLock"];
  double heap = Rates()["PlainHeap"];
  if (locked > 0 && unlocked > 0 && heap > 0) {
    std::printf(
        "allocator: the locked pool takes %.2f times the time of the pool without a lock and "
        "%.2f times that of the plain heap\n",
        unlocked / locked, heap / locked);
  }
  return 0;
}
