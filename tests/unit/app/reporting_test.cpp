#include "app/reporting.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_ids.h"
#include "tests/support/exit_status.h"

namespace corvisant {
namespace {

// Keeps what the reporter asked of the dialog; while "open" it may run what a timer would run.
class FakeReportDialog : public ReportDialog {
 public:
  struct Shown {
    std::string text;
    int selfCloseSeconds;
  };

  void BringMenuBarToForeground() override { calls.push_back("foreground"); }
  void ShowModal(const std::string& text, int selfCloseSeconds) override {
    calls.push_back("show");
    shown.push_back({text, selfCloseSeconds});
    if (whileOpen) whileOpen();
  }

  std::vector<std::string> calls;
  std::vector<Shown> shown;
  std::function<void()> whileOpen;
};

class ReportingTest : public ::testing::Test {
 protected:
  ReportingTest() : reporter_(dialog_), previous_(SetReporter(&reporter_)) {}
  ~ReportingTest() override { SetReporter(previous_); }

  FakeReportDialog dialog_;
  DialogReporter reporter_;
  Reporter* previous_;
};

TEST_F(ReportingTest, ShowsTheFilledMessageOverTheMenuBar) {
  Report(kReportNonFatal, kReportNeverCloses, message::kCantCreateDirectory,
         {"temp", "Z:\\store\\CorvisantDatabase", 5});
  ASSERT_EQ(dialog_.shown.size(), 1u);
  EXPECT_EQ(dialog_.shown[0].text,
            "Corvisant can't create directory  temp under Z:\\store\\CorvisantDatabase by the "
            "reason 5. Make sure the disk isn't write protected nor it isn't full.");
  EXPECT_EQ(dialog_.calls, (std::vector<std::string>{"foreground", "show"}));
}

TEST_F(ReportingTest, ClosesItselfOnlyWhileAutomaticBrowsingRuns) {
  struct SelfCloseCase {
    bool queryInstalled;
    bool browsing;
    int requested;
    int expected;
  };
  const SelfCloseCase cases[] = {
      {false, false, 5, 0},  // no navigator yet: nothing browses on its own
      {true, false, 5, 0},  {true, true, 5, 5},  {true, true, 2, 2},
      {true, true, 0, 0},   {true, true, -3, 0},
  };
  for (const SelfCloseCase& test : cases) {
    FakeReportDialog dialog;
    DialogReporter reporter(dialog);
    bool browsing = test.browsing;
    if (test.queryInstalled) reporter.SetAutomaticBrowsingQuery([&browsing] { return browsing; });
    ReportRequest request;
    request.selfCloseSeconds = test.requested;
    request.messageId = message::kCantOpenHtmlForRewrite;
    request.arguments = {"a.html"};
    reporter.Report(request);
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].selfCloseSeconds, test.expected)
        << test.queryInstalled << test.browsing << " " << test.requested;
  }
}

TEST_F(ReportingTest, AReportRaisedWhileOneIsOpenIsDropped) {
  bool reportingWhileOpen = false;
  dialog_.whileOpen = [this, &reportingWhileOpen] {
    reportingWhileOpen = reporter_.reporting();
    dialog_.whileOpen = nullptr;
    Report(kReportNonFatal, kReportNeverCloses, message::kCantCheckFreeSpace);
    Report(kReportFatal, kReportNeverCloses, message::kCantCheckFreeSpace);
  };
  Report(kReportNonFatal, kReportNeverCloses, message::kCantOpenPreferences);
  EXPECT_TRUE(reportingWhileOpen);
  ASSERT_EQ(dialog_.shown.size(), 1u) << "the reports raised meanwhile are neither shown nor kept";
  EXPECT_EQ(dialog_.shown[0].text, "Corvisant can't open the preference file for saving.");
  EXPECT_FALSE(reporter_.reporting());

  Report(kReportNonFatal, kReportNeverCloses, message::kCantWritePreferences);
  ASSERT_EQ(dialog_.shown.size(), 2u) << "once the dialog has closed, the next report is shown";
  EXPECT_EQ(dialog_.shown[1].text, "Corvisant can't write the preference file.");
}

TEST_F(ReportingTest, ANonFatalReportReturnsAfterTheDialogAndAnUnknownIdShowsNoText) {
  Report(kReportNonFatal, kReportNeverCloses, message::kLowDiskSpace, {"3"});
  Report(kReportNonFatal, kReportNeverCloses, 40019, {"x"});
  ASSERT_EQ(dialog_.shown.size(), 2u);
  EXPECT_EQ(dialog_.shown[0].text,
            "Only 3 MB of free disk space is availabe for Corvisant to keep data.");
  EXPECT_EQ(dialog_.shown[1].text, "");
}

using ReportingDeathTest = ReportingTest;

TEST_F(ReportingDeathTest, AFatalReportEndsTheProcessWithMinusOneAfterTheDialog) {
  dialog_.whileOpen = [] { std::fprintf(stderr, "dialog closed by OK\n"); };
  EXPECT_EXIT(Report(kReportFatal, kReportNeverCloses, message::kCantCheckFreeSpace),
              testing::EndedWithFatalCode, "dialog closed by OK");
}

}  // namespace
}  // namespace corvisant
