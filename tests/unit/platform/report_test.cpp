#include "platform/report.h"

#include <gtest/gtest.h>

#include "common/allocator.h"
#include "platform/message_ids.h"
#include "tests/support/exit_status.h"
#include "tests/support/recording_reporter.h"

namespace corvisant {
namespace {

TEST(Report, ReachesTheInstalledReporterWithItsArguments) {
  testing::RecordingReporter reporter;
  Report(kReportNonFatal, kReportClosesAfter5s, message::kCantCreateDirectory,
         {"temp", std::string("CorvisantDatabase"), 183});
  ASSERT_EQ(reporter.ids(), std::vector<int>{message::kCantCreateDirectory});
  const ReportRequest& request = reporter.reports()[0];
  EXPECT_EQ(request.keepRunning, kReportNonFatal);
  EXPECT_EQ(request.selfCloseSeconds, 5);
  ASSERT_EQ(request.arguments.size(), 3u);
  EXPECT_EQ(request.arguments[0].text, "temp");
  EXPECT_EQ(request.arguments[1].text, "CorvisantDatabase");
  EXPECT_FALSE(request.arguments[2].isText);
  EXPECT_EQ(request.arguments[2].number, 183);
}

TEST(ReportDeathTest, WithoutADialogAFatalReportEndsTheProcessAfterSayingSo) {
  EXPECT_EXIT(Report(kReportFatal, kReportNeverCloses, message::kCantCheckFreeSpace),
              testing::EndedWithFatalCode, "message 40022");
}

}  // namespace
}  // namespace corvisant
