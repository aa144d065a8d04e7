#include "common/times.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace corvisant {
namespace {

TEST(HistoryTime, ShiftsUnixTimeByTheFileClockOffset) {
  struct Case {
    UnixTime unix;
    std::uint32_t stored;
  };
  for (Case c : {Case{0, 0x7C262F10u}, Case{946684800, 3029562000u},  // 2000-01-01 UTC
                 Case{1700000000, 3782877200u}}) {
    EXPECT_EQ(ToHistoryTime(c.unix), c.stored) << c.unix;
    EXPECT_EQ(FromHistoryTime(c.stored), c.unix) << c.stored;
  }
}

TEST(HistoryTime, StoredValuesBelowTheOffsetReadAsTimesBefore1970) {
  EXPECT_EQ(FromHistoryTime(0), -static_cast<UnixTime>(kHistoryTimeOffset));
}

TEST(DisplayLine, ShowsTheDateTheTimeAndTheTitle) {
  std::tm when{};
  when.tm_year = 97;
  when.tm_mon = 2;
  when.tm_mday = 9;
  when.tm_hour = 7;
  when.tm_min = 5;
  when.tm_sec = 3;
  EXPECT_EQ(FormatDisplayLine(when, "Welcome"), "1997/03/09 07:05:03 Welcome");
  EXPECT_EQ(FormatDisplayLine(when, ""), "1997/03/09 07:05:03 ");
}

TEST(DisplayLine, CutsTheTitleAt512Characters) {
  std::tm when{};
  std::string title(600, 't');
  std::string line = FormatDisplayLine(when, title);
  EXPECT_EQ(line.size(), std::string("1900/01/00 00:00:00 ").size() + kDisplayTitleMax);
}

TEST(DisplayLine, UsesLocalTime) {
  UnixTime time = 946684800 + 12345;
  std::string line = FormatLocalDisplayLine(time, "x");
  std::tm parsed{};
  ASSERT_EQ(std::sscanf(line.c_str(), "%d/%d/%d %d:%d:%d", &parsed.tm_year, &parsed.tm_mon,
                        &parsed.tm_mday, &parsed.tm_hour, &parsed.tm_min, &parsed.tm_sec),
            6);
  parsed.tm_year -= 1900;
  parsed.tm_mon -= 1;
  parsed.tm_isdst = -1;
  EXPECT_EQ(static_cast<UnixTime>(std::mktime(&parsed)), time);
  EXPECT_EQ(line.substr(line.size() - 2), " x");
}

}  // namespace
}  // namespace corvisant
