#include "common/allocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/process_wide.h"
#include "common/sanitizer.h"
#include "tests/support/exit_status.h"

namespace corvisant {
namespace {

// Stands in for the message box: the allocator must not go on, so it throws the size it was told.
class ThrowingFailure : public MemoryFailureHandler {
  void ReportMemoryFailure(std::size_t size) override { throw size; }
};

// A size every C library refuses at once (the sanitizer build is told to answer null too).
constexpr std::size_t kImpossibleRequest = SIZE_MAX - 64;

TEST(Allocator, SmallRequestsComeFromThePoolLastInFirstOutAndLargerOnesFromTheHeap) {
  for (std::size_t size : {0, 1, 32, 33, 4096}) {
    void* block = Allocate(size);
    EXPECT_EQ(IsPoolBlock(block), size <= kPoolBlockSize) << size;
    Free(block);
  }
  auto* small = new int(7);
  EXPECT_TRUE(IsPoolBlock(small));
  delete small;
  std::string fits(kPoolBlockSize - 1, 'x'), spills(kPoolBlockSize, 'y');
  for (const std::string* text : {&fits, &spills}) {
    char* copy = CopyString(text->c_str());
    EXPECT_STREQ(copy, text->c_str());
    EXPECT_EQ(IsPoolBlock(copy), text == &fits) << "a copy takes its length plus one";
    Free(copy);
  }
  // Freed pool blocks are reused last in, first out.
  void* first = Allocate(8);
  void* second = Allocate(16);
  std::size_t freeBefore = FreePoolBlockCount();
  Free(first);
  Free(second);
  EXPECT_EQ(FreePoolBlockCount(), freeBefore + 2);
  EXPECT_EQ(Allocate(32), second);
  EXPECT_EQ(Allocate(1), first);
  Free(first);
  Free(second);
}

TEST(Allocator, AnEmptyPoolFallsBackToTheHeapAndTakesItsBlocksBack) {
  std::size_t available = FreePoolBlockCount();
  ASSERT_LE(available, kPoolBlockCount);
  std::vector<void*> taken;
  for (std::size_t i = 0; i < available; ++i) taken.push_back(Allocate(kPoolBlockSize));
  EXPECT_EQ(FreePoolBlockCount(), 0u);
  void* overflow = Allocate(4);
  EXPECT_FALSE(IsPoolBlock(overflow));
  std::memset(overflow, 0xAB, kPoolBlockSize);  // a full block even for a small request
  Free(overflow);
  EXPECT_EQ(FreePoolBlockCount(), 0u) << "a heap block must not enter the pool";
  for (void* block : taken) {
    EXPECT_TRUE(IsPoolBlock(block));
    Free(block);
  }
  EXPECT_EQ(FreePoolBlockCount(), available);
}

TEST(Allocator, AFailureIsToldToTheInstalledHandlerWithTheWholeSize) {
  ThrowingFailure handler;
  Installed<MemoryFailureHandler> installed(&handler);
  try {
    Allocate(kImpossibleRequest);
    ADD_FAILURE() << "the allocation cannot have succeeded";
  } catch (std::size_t size) {
    EXPECT_EQ(size, kImpossibleRequest);
  }
}

TEST(AllocatorDeathTest, WithoutAHandlerAFailureShowsTheMessageAndExitsWithMinusOne) {
  EXPECT_EXIT(Allocate(kImpossibleRequest), testing::EndedWithFatalCode,
              "Corvisant can't obtain 18446744073709551551 bytes of memory\\.");
}

TEST(AllocatorDeathTest, FreePoolBlocksAreGuardedForTheSanitizer) {
  if (!kAddressSanitizerActive) GTEST_SKIP() << "no AddressSanitizer in this build";
  auto* block = static_cast<char*>(Allocate(10));
  EXPECT_FALSE(IsMemoryPoisoned(block + 9));
  EXPECT_TRUE(IsMemoryPoisoned(block + 10)) << "bytes past the request are guarded";
  Free(block);
  EXPECT_TRUE(IsMemoryPoisoned(block)) << "a freed block is guarded";
  EXPECT_DEATH(
      {
        auto* freed = static_cast<volatile char*>(Allocate(16));
        Free(const_cast<char*>(freed));
        freed[0] = 1;
      },
      "use-after-poison");
  EXPECT_DEATH(
      {
        void* twice = Allocate(0);
        Free(twice);
        Free(twice);
      },
      "freed twice");
}

}  // namespace
}  // namespace corvisant
