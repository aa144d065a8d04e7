// The history files' times and display lines, and the diagnostic trace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/times.h"
#include "common/trace.h"
#include "tests/support/trace_capture.h"

namespace corvisant {
namespace {

TEST(HistoryTime, ShiftsUnixTimeByTheFileClockOffsetBothWays) {
  const std::pair<UnixTime, std::uint32_t> cases[] = {
      {0, 0x7C262F10u}, {946684800, 3029562000u}, {1700000000, 3782877200u}, {-2082877200, 0}};
  for (const auto& [unix, stored] : cases) {
    EXPECT_EQ(ToHistoryTime(unix), stored) << unix;
    EXPECT_EQ(FromHistoryTime(stored), unix) << stored;
  }
}

// The local-time form is the tool's "history line".
TEST(DisplayLine, ShowsTheDateTheTimeAndTheTitleCutAt512Bytes) {
  std::tm when{};
  when.tm_year = 97, when.tm_mon = 2, when.tm_mday = 9, when.tm_hour = 7, when.tm_min = 5;
  when.tm_sec = 3;
  EXPECT_EQ(FormatDisplayLine(when, "Welcome"), "1997/03/09 07:05:03 Welcome");
  EXPECT_EQ(FormatDisplayLine(when, ""), "1997/03/09 07:05:03 ");
  EXPECT_EQ(FormatDisplayLine(when, std::string(600, 't')),
            "1997/03/09 07:05:03 " + std::string(kDisplayTitleMax, 't'));
}

TEST(Trace, ReachesTheInnermostSinkFormattedAndCutOrNobody) {
  std::vector<std::string> inner, outer;
  {
    testing::TraceCapture capture;
    {
      testing::TraceCapture innerCapture;
      Trace("SetLastGoToURL now=%x LastGoToTime=%x", 0x1f, 0);
      Trace("Arrived too late %s", std::string(5000, 'u').c_str());
      inner = innerCapture.lines();
    }
    Trace("Netscape is Busy");
    outer = capture.lines();
  }
  Trace("to nobody");
  EXPECT_EQ(inner,
            (std::vector<std::string>{"SetLastGoToURL now=1f LastGoToTime=0",
                                      "Arrived too late " + std::string(kTraceLineMax - 17, 'u')}));
  EXPECT_EQ(outer, std::vector<std::string>{"Netscape is Busy"});
}

}  // namespace
}  // namespace corvisant
