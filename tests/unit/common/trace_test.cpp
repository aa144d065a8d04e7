#include "common/trace.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/trace_capture.h"

namespace corvisant {
namespace {

TEST(Trace, ReachesTheInstalledSinkFormatted) {
  testing::TraceCapture capture;
  Trace("SetLastGoToURL now=%x LastGoToTime=%x", 0x1f, 0);
  Trace("Arrived too late %s", "http://a/");
  Trace("Netscape is Busy");
  EXPECT_EQ(capture.lines(),
            (std::vector<std::string>{"SetLastGoToURL now=1f LastGoToTime=0",
                                      "Arrived too late http://a/", "Netscape is Busy"}));
}

TEST(Trace, IsDiscardedWhenNoSinkIsInstalled) {
  std::vector<std::string> seen;
  {
    testing::TraceCapture capture;
    {
      testing::TraceCapture inner;
      Trace("to the inner sink");
    }
    Trace("to the outer sink");
    seen = capture.lines();
  }
  Trace("to nobody");
  EXPECT_EQ(seen, std::vector<std::string>{"to the outer sink"});
}

TEST(Trace, CutsOverlongLines) {
  testing::TraceCapture capture;
  std::string url(5000, 'u');
  Trace("Arrived too late %s", url.c_str());
  ASSERT_EQ(capture.lines().size(), 1u);
  EXPECT_EQ(capture.lines()[0].size(), static_cast<std::size_t>(kTraceLineMax));
}

}  // namespace
}  // namespace corvisant
