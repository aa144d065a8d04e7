#include "common/allocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/sanitizer.h"
#include "tests/support/exit_status.h"

namespace corvisant {
namespace {

// Stands in for the message box: keeps what would be shown and leaves by an exception, since the
// allocator must not go on after a failure.
struct MemoryFailureSeen {
  std::size_t size;
};

class RecordingFailure : public MemoryFailureHandler {
 public:
  RecordingFailure() : previous_(SetMemoryFailureHandler(this)) {}
  ~RecordingFailure() override { SetMemoryFailureHandler(previous_); }
  void ReportMemoryFailure(std::size_t size) override { throw MemoryFailureSeen{size}; }

 private:
  MemoryFailureHandler* previous_;
};

// A size every C library refuses at once, without searching the address space first (the
// sanitizer build is told to answer it with null, as the C library does).
constexpr std::size_t kImpossibleRequest = SIZE_MAX - 64;

TEST(Allocator, SmallRequestsComeFromThePoolAndLargerOnesFromTheHeap) {
  struct Case {
    std::size_t size;
    bool fromPool;
  };
  for (Case c :
       {Case{0, true}, Case{1, true}, Case{32, true}, Case{33, false}, Case{4096, false}}) {
    void* block = Allocate(c.size);
    EXPECT_EQ(IsPoolBlock(block), c.fromPool) << c.size;
    Free(block);
  }
}

TEST(Allocator, FreedPoolBlocksAreReusedLastInFirstOut) {
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

TEST(Allocator, StringCopiesTakeTheirLengthPlusOne) {
  std::string fits(kPoolBlockSize - 1, 'x');
  std::string spills(kPoolBlockSize, 'y');
  for (const std::string* text : {&fits, &spills}) {
    char* copy = CopyString(text->c_str());
    EXPECT_STREQ(copy, text->c_str());
    EXPECT_EQ(IsPoolBlock(copy), text->size() + 1 <= kPoolBlockSize);
    Free(copy);
  }
}

TEST(Allocator, CppAllocationsGoThroughThePool) {
  auto* small = new int(7);
  EXPECT_TRUE(IsPoolBlock(small));
  delete small;
}

TEST(Allocator, FailureIsReportedWithTheRequestedSize) {
  RecordingFailure recording;
  try {
    Allocate(kImpossibleRequest);
    ADD_FAILURE() << "the allocation cannot have succeeded";
  } catch (const MemoryFailureSeen& seen) {
    EXPECT_EQ(seen.size, kImpossibleRequest);
  }
}

TEST(Allocator, MemoryMessageHoldsTheWholeSize) {
  char text[kMemoryFailureTextMax];
  FormatMemoryFailure(123, text);
  EXPECT_STREQ(text, "Corvisant can't obtain 123 bytes of memory.");
  FormatMemoryFailure(kImpossibleRequest, text);
  EXPECT_STREQ(text, "Corvisant can't obtain 18446744073709551551 bytes of memory.");
}

TEST(AllocatorDeathTest, FailureEndsTheProcessWithMinusOne) {
  EXPECT_EXIT(Allocate(kImpossibleRequest), testing::EndedWithFatalCode,
              "Corvisant can't obtain 18446744073709551551 bytes of memory\\.");
}

TEST(Allocator, FreePoolBlocksAreOutOfBoundsForTheSanitizer) {
  if (!kAddressSanitizerActive) GTEST_SKIP() << "no AddressSanitizer in this build";
  auto* block = static_cast<char*>(Allocate(10));
  EXPECT_FALSE(IsMemoryPoisoned(block + 9));
  EXPECT_TRUE(IsMemoryPoisoned(block + 10)) << "bytes past the request are guarded";
  Free(block);
  EXPECT_TRUE(IsMemoryPoisoned(block)) << "a freed block is guarded";
}

TEST(AllocatorDeathTest, UseAfterFreeOfAPoolBlockIsCaught) {
  if (!kAddressSanitizerActive) GTEST_SKIP() << "no AddressSanitizer in this build";
  EXPECT_DEATH(
      {
        auto* block = static_cast<volatile char*>(Allocate(16));
        Free(const_cast<char*>(block));
        block[0] = 1;
      },
      "use-after-poison");
}

TEST(AllocatorDeathTest, DoubleFreeOfAPoolBlockIsCaught) {
  if (!kAddressSanitizerActive) GTEST_SKIP() << "no AddressSanitizer in this build";
  EXPECT_DEATH(
      {
        void* block = Allocate(0);
        Free(block);
        Free(block);
      },
      "freed twice");
}

}  // namespace
}  // namespace corvisant
