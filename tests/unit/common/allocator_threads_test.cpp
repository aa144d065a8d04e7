// The pool shared by threads at once: a block handed to two threads shows as a value overwritten,
// one lost or doubled as a changed free count. The ThreadSanitizer build runs this test.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "common/allocator.h"

namespace corvisant {
namespace {

TEST(AllocatorThreads, SmallNewAndDeleteFromFourThreadsAtOnce) {
  constexpr int kThreads = 4, kRounds = 100000, kHeld = 8;
  const std::size_t freeBefore = FreePoolBlockCount();
  std::atomic<int> overwritten{0};
  std::thread threads[kThreads];  // not in a vector: its buffer would be a pool block
  for (int t = 0; t < kThreads; ++t) {
    threads[t] = std::thread([t, &overwritten] {
      long long* held[kHeld] = {};
      for (int i = 0; i < kRounds; ++i) {
        long long*& slot = held[i % kHeld];
        if (slot != nullptr && *slot != t * kRounds + i - kHeld) ++overwritten;
        delete slot;
        slot = new long long(t * kRounds + i);
      }
      for (long long* block : held) delete block;
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(overwritten.load(), 0);
  EXPECT_EQ(FreePoolBlockCount(), freeBefore);
}

}  // namespace
}  // namespace corvisant
