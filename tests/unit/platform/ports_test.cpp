// The random, clock and report ports of the system.
#include "platform/ports.h"

#include <gtest/gtest.h>

#include "platform/message_ids.h"
#include "platform/report.h"
#include "tests/support/exit_status.h"

namespace corvisant {
namespace {

// The first draws of the C library's generator after srand(1), as Windows gives them: the
// 15-bit mask shows in the second.
constexpr int kDrawsAfterSeedOne[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};

TEST(Random, BothGeneratorsGiveTheWindowsSequence) {
  StandardRandom standard;
  for (Random* random : {static_cast<Random*>(&standard), SystemPorts().random}) {
    random->Seed(1);
    for (int expected : kDrawsAfterSeedOne) EXPECT_EQ(random->Next(), expected);
  }
}

TEST(Clock, SystemClockGivesTheCurrentTimeAndSleeps) {
  Clock& clock = *SystemPorts().clock;
  UnixTime before = clock.Now();
  clock.Sleep(1);
  EXPECT_TRUE(before > 1600000000 && clock.Now() >= before) << before;  // after September 2020
}

TEST(ReportDeathTest, WithoutADialogAFatalReportEndsTheProcessAfterSayingSo) {
  EXPECT_EXIT(Report(kReportFatal, kReportNeverCloses, message::kCantCheckFreeSpace),
              testing::EndedWithFatalCode, "message 40022");
}

}  // namespace
}  // namespace corvisant
