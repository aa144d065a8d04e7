#include <gtest/gtest.h>

#include "platform/ports.h"
#include "tests/support/fake_clock.h"

namespace corvisant {
namespace {

// The first draws of the C library's generator after srand(1), as Windows gives them.
constexpr int kDrawsAfterSeedOne[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};

TEST(Random, BothGeneratorsGiveTheWindowsSequence) {
  StandardRandom standard;
  Random& system = *SystemPorts().random;
  for (Random* random : {static_cast<Random*>(&standard), &system}) {
    random->Seed(1);
    for (int expected : kDrawsAfterSeedOne) EXPECT_EQ(random->Next(), expected);
  }
}

TEST(Random, DrawsStayWithinFifteenBits) {
  StandardRandom random;
  random.Seed(0xDEADBEEF);
  for (int i = 0; i < 10000; ++i) {
    int value = random.Next();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, kRandomMax);
  }
}

TEST(Clock, FakeSleepsMoveTheFakeTime) {
  testing::FakeClock clock(1000);
  clock.Sleep(999);
  EXPECT_EQ(clock.Now(), 1000);
  clock.Sleep(1);
  EXPECT_EQ(clock.Now(), 1001);
  clock.Advance(59);
  EXPECT_EQ(clock.Now(), 1060);
  EXPECT_EQ(clock.TotalSlept(), 1000);
}

TEST(Clock, SystemClockGivesTheCurrentTimeAndSleeps) {
  Clock& clock = *SystemPorts().clock;
  UnixTime before = clock.Now();
  EXPECT_GT(before, 1600000000);  // after September 2020
  clock.Sleep(1);
  EXPECT_GE(clock.Now(), before);
}

}  // namespace
}  // namespace corvisant
