#include "app/reporting.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/message_table.h"
#include "app/report_format.h"
#include "app/text_reporter.h"
#include "platform/message_ids.h"
#include "tests/support/exit_status.h"

namespace corvisant {
namespace {

// The plain directives are also compared with the system's own wvsprintfA (win32/).
TEST(FormatReportText, FillsDirectivesAsWvsprintfDoes) {
  std::string longText(2 * kReportTextMax, 'a');
  const struct {
    const char* format;
    std::vector<ReportArgument> arguments;
    std::string expected;
  } cases[] = {
      {"ERROR 0x%08X.", {0xC0000005u}, "ERROR 0xC0000005."},
      {"%d", {0xFFFFFFFFu}, "-1"},
      {"%d", {(1LL << 32) | 7}, "7"},
      {"%ld %hd", {3, 4}, "3 4"},
      {"[%05d|%-05d]", {-42, -42}, "[-0042|-42  ]"},
      {"%.5d", {42}, "00042"},
      {"%#x %#X %#x", {255, 255, 0}, "0xff 0XFF 0x0"},
      {"%c%c", {65, "bc"}, "Ab"},
      {"", {"unused"}, ""},
      // An argument of the other kind is shown as given.
      {"reason %d, %s MB", {"unknown", 12}, "reason unknown, 12 MB"},
      // An argument that was not given is never read; the directive stays as it stands.
      {"%s under %s by %d", {"temp"}, "temp under %s by %d"},
      {"%08X", {}, "%08X"},
      {"ends with %", {}, "ends with %"},
      {"ends with %-08", {1}, "ends with %-08"},
      {"%q %s", {"x"}, "%q x"},  // an unknown directive takes no argument
      // The text is cut at the limit.
      {"%s!", {longText}, std::string(kReportTextMax, 'a')},
      {"%99999999999999999999d", {7}, std::string(kReportTextMax - 1, ' ') + "7"},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(FormatReportText(test.format, test.arguments), test.expected) << test.format;
  }
}

// Logs "foreground|" and "show SECONDS TEXT|"; while "open" it may run what a timer would run.
class FakeReportDialog : public ReportDialog {
 public:
  void BringMenuBarToForeground() override { log += "foreground|"; }
  void ShowModal(const std::string& text, int selfCloseSeconds) override {
    log += "show " + std::to_string(selfCloseSeconds) + " " + text + "|";
    last = text;
    seconds = selfCloseSeconds;
    if (whileOpen) whileOpen();
  }

  std::string log, last;
  int seconds = -1;
  std::function<void()> whileOpen;
};

class ReportingTest : public ::testing::Test {
 protected:
  FakeReportDialog dialog_;
  DialogReporter reporter_{dialog_};
  Installed<Reporter> installed_{&reporter_};
};

// Ids 40000-40024 but 40017-40020 have a text within the limit, shown as it stands without
// arguments; others show none. (The texts are checked word for word by an integration test.)
TEST_F(ReportingTest, EveryMessageOfTheTableIsShownAsItStands) {
  std::vector<int> withText, expected;
  for (int id = 39999; id <= 40025; ++id) {
    if (id >= 40000 && id <= 40024 && (id < 40017 || id > 40020)) expected.push_back(id);
    const char* text = MessageText(id);
    if (text != nullptr) withText.push_back(id);
    EXPECT_LE(std::strlen(text != nullptr ? text : ""), kMessageTextMax) << id;
    Report(kReportNonFatal, kReportNeverCloses, id);
    EXPECT_EQ(dialog_.last, text != nullptr ? text : "") << id;
  }
  EXPECT_EQ(withText, expected);
}

// Cases: a navigator answers the query, it browses, the seconds asked, the seconds shown.
TEST_F(ReportingTest, ClosesItselfOnlyWhileAutomaticBrowsingRuns) {
  const int cases[][4] = {{0, 0, 5, 0}, {1, 0, 5, 0}, {1, 1, 5, 5},
                          {1, 1, 2, 2}, {1, 1, 0, 0}, {1, 1, -3, 0}};
  for (const auto& [queryInstalled, browsing, requested, expected] : cases) {
    const bool browses = browsing != 0;
    reporter_.SetAutomaticBrowsingQuery(
        queryInstalled != 0 ? AutomaticBrowsingQuery([browses] { return browses; }) : nullptr);
    Report(kReportNonFatal, requested, message::kCantCheckFreeSpace);
    EXPECT_EQ(dialog_.seconds, expected) << queryInstalled << browsing << " " << requested;
  }
}

TEST_F(ReportingTest, AReportRaisedWhileOneIsOpenIsDropped) {
  dialog_.whileOpen = [this] {
    dialog_.whileOpen = nullptr;
    EXPECT_TRUE(reporter_.reporting());
    Report(kReportNonFatal, kReportNeverCloses, message::kCantCheckFreeSpace);
    Report(kReportFatal, kReportNeverCloses, message::kCantCheckFreeSpace);
  };
  Report(kReportNonFatal, kReportNeverCloses, message::kCantOpenPreferences);
  EXPECT_FALSE(reporter_.reporting());
  Report(kReportNonFatal, kReportNeverCloses, message::kLowDiskSpace, {"3"});
  EXPECT_EQ(dialog_.log,
            "foreground|show 0 Corvisant can't open the preference file for saving.|"
            "foreground|show 0 Only 3 MB of free disk space is availabe for Corvisant to keep "
            "data.|");
}

using ReportingDeathTest = ReportingTest;

TEST_F(ReportingDeathTest, AFatalReportEndsTheProcessWithMinusOneAfterTheDialog) {
  dialog_.whileOpen = [] { std::fprintf(stderr, "dialog closed by OK\n"); };
  EXPECT_EXIT(Report(kReportFatal, kReportNeverCloses, message::kCantCheckFreeSpace),
              testing::EndedWithFatalCode, "dialog closed by OK");
}

// The tool's reporter: a line of the message's text with its arguments.
TEST(TextReporter, PrintsTheMessagesTextWithItsArguments) {
  std::FILE* out = std::tmpfile();
  TextReporter reporter(out, "corvisant-tool");
  reporter.Report({kReportNonFatal,
                   kReportNeverCloses,
                   message::kCantCreateDirectory,
                   {"L.urli", "Z:\\s", 183}});
  constexpr int kNoSuchMessage = 40099;
  reporter.Report({kReportNonFatal, kReportNeverCloses, kNoSuchMessage, {}});
  std::rewind(out);
  char text[256] = {};
  text[std::fread(text, 1, sizeof text - 1, out)] = '\0';
  std::fclose(out);
  EXPECT_STREQ(text,
               "corvisant-tool: Corvisant can't create directory  L.urli under Z:\\s by the reason "
               "183. Make sure the disk isn't write protected nor it isn't full.\n"
               "corvisant-tool: message 40099\n");
}

}  // namespace
}  // namespace corvisant
