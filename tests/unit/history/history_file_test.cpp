#include "history/history_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/history_ports.h"
#include "tests/support/faulty_files.h"
#include "tests/unit/history/history_test_support.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

using testing::TestProcess;

// The browser's title and the History window, installed while the object lives.
struct BrowserAndWindow : BrowserTitleSource, HistoryWindowView {
  std::string GetBrowserTitle() override {
    ++asked;
    return title;
  }
  bool AddVisitLine(std::string_view line) override {
    lines.emplace_back(line);
    return true;
  }
  std::string title;
  int asked = 0;
  std::vector<std::string> lines;
  Installed<BrowserTitleSource> titleInstalled{this};
  Installed<HistoryWindowView> windowInstalled{this};
};

HistoryFile& History(TestProcess& process) { return *process.process().History(); }

bool Visit(TestProcess& process, const std::string& url, const std::string& title) {
  std::string buffer = title;
  return History(process).RecordVisit(url, true, &buffer);
}

// Carriage returns from the page never split an entry, and a repeat is compared on the texts as
// they were stored.
TEST(HistoryFile, VisitsGoToTheIndexAndTheFirstDataFile) {
  TestProcess process;
  ASSERT_TRUE(Visit(process, "http://h1/a\rb.html", "Title on\r\ntwo lines"));
  process.clock.Advance(1);
  EXPECT_FALSE(Visit(process, "http://h1/a\rb.html", "Title on\r\ntwo lines"));
  process.clock.Advance(29);
  ASSERT_TRUE(Visit(process, "http://h2/", "Two"));
  EXPECT_EQ(process.Read(kIndex),
            RecordBytes(1, kTestTimeStored, 0) + RecordBytes(1, kTestTimeStored + 30, 41));
  EXPECT_EQ(process.Read(kData1), "http://h1/a%0Db.html\rTitle on \ntwo lines\rhttp://h2/\rTwo\r");
  EXPECT_EQ(
      Entries(History(process)),
      (std::vector<std::string>{"http://h1/a%0Db.html|Title on \ntwo lines", "http://h2/|Two"}));
}

// A visit some seconds after one of "http://h1/" "Home": a repeat within 20 seconds, an image-map
// click and a non-page without a title are left out; an unknown title is asked of the browser. The
// History window shows each new visit at its top, with its title or else its URL.
TEST(HistoryFile, TheRulesDecideWhatIsRecorded) {
  struct Case {
    UnixTime after;
    const char* url;
    bool titleKnown;
    const char* title;     // the browser's when it is not known
    const char* recorded;  // the new entry as "url|title", or null when nothing is recorded
  };
  const Case cases[] = {
      {0, "http://h1/", true, "Home", nullptr},
      {20, "http://h1/", true, "Home", nullptr},
      {21, "http://h1/", true, "Home", "http://h1/|Home"},
      {5, "http://h1/", true, "Other", "http://h1/|Other"},
      {5, "http://h1/x.html", true, "Home", "http://h1/x.html|Home"},
      {5, "http://H1/", true, "Home", "http://H1/|Home"},
      {60, "http://h1/pic.gif", true, "", "http://h1/pic.gif|http://h1/pic.gif"},
      {60, "http://h1/file.zip", true, "", nullptr},
      {60, "http://h1/dir/", true, "", "http://h1/dir/|http://h1/dir/"},
      {60, "http://h1/file.zip", true, "Named", "http://h1/file.zip|Named"},
      {60, "http://h1/map.GIF?40,12", true, "Map", nullptr},
      {60, "http://h1/map.gif?11,9", true, "Map", "http://h1/map.gif?11,9|Map"},
      {60, "http://h1/a.html", false, "From browser", "http://h1/a.html|From browser"},
      {60, "http://h1/a.html", false, "", "http://h1/a.html|http://h1/a.html"},
      {60, "http://h1/index.html", true, "Root", "http://h1/|Root"},
      // A local copy (a path below the store root) is recorded under its web URL.
      {60, "/www.h1.example$81/docs/index.html", true, "Docs",
       "http://www.h1.example:81/docs/|Docs"},
  };
  for (const Case& c : cases) {
    testing::TestProcessOptions options;
    options.start = LocalVisitTime() - c.after;
    TestProcess process(options);
    BrowserAndWindow browser;
    ASSERT_TRUE(Visit(process, "http://h1/", "Home"));
    process.clock.Advance(c.after);
    browser.title = c.title;
    std::string buffer = c.titleKnown ? c.title : "ignored";
    const std::string url = c.url[0] == '/' ? "file://" + StoreRootUrlPath() + c.url : c.url;
    EXPECT_EQ(History(process).RecordVisit(url, c.titleKnown, &buffer), c.recorded != nullptr)
        << c.url;
    EXPECT_EQ(browser.asked, c.titleKnown ? 0 : 1) << c.url;
    EXPECT_EQ(buffer, c.title) << c.url;
    const std::string newest = c.recorded ? c.recorded : "http://h1/|Home";
    EXPECT_EQ(Entries(History(process)).back(), newest) << c.url;
    EXPECT_EQ(History(process).Count(), c.recorded ? 2 : 1) << c.url;
    ASSERT_EQ(browser.lines.size(), c.recorded ? 2u : 1u) << c.url;
    if (c.recorded) {
      EXPECT_EQ(browser.lines[1], "1997/12/05 10:03:04 " + newest.substr(newest.find('|') + 1));
    }
  }
}

// The newest data file is the last before the first missing number (a later one is not looked
// at). Sparse data files: only the first entry and the last byte are written.
TEST(HistoryFile, ANewDataFileStartsOnlyPastTheLimit) {
  for (std::int64_t size : {kDataFileLimit, kDataFileLimit + 1}) {
    TestProcess process;
    ASSERT_TRUE(process.Write(kIndex, RecordBytes(1, kTestTimeStored, 0)));
    ASSERT_TRUE(process.Write("CorvisantDatabase\\history\\HistoryURL.0003", "c\rC\r"));
    StreamPtr big = process.files().Open(kData1, "wb");
    ASSERT_TRUE(big);
    big->WriteText("http://old/\rOld\r");
    ASSERT_TRUE(big->Seek(size - 1, SeekFrom::kStart));
    big->WriteText("\r");
    big->Close();
    std::uint16_t expected = size > kDataFileLimit ? 2 : 1;
    EXPECT_EQ(History(process).appendNumber(), expected);
    process.clock.Advance(60);
    ASSERT_TRUE(Visit(process, "http://new/", "New"));
    EXPECT_EQ(process.Read(kIndex),
              RecordBytes(1, kTestTimeStored, 0) +
                  RecordBytes(expected, kTestTimeStored + 60, expected == 2 ? 0 : size));
    EXPECT_EQ(Entries(History(process)),
              (std::vector<std::string>{"http://old/|Old", "http://new/|New"}));
    if (expected == 2) {
      EXPECT_EQ(process.Read(kData2), "http://new/\rNew\r");
    }
  }
}

// A process that ended between an entry's texts and its record, or inside either, loses only that
// visit: the next one's record takes the place of a torn one.
TEST(HistoryFile, ACrashMidVisitLosesOnlyThatVisit) {
  struct Case {
    const char* what;
    std::string orphanTexts;
    std::string tornRecord;
  };
  const Case cases[] = {
      {"texts written, no record", "http://lost/\rLost\r", ""},
      {"texts cut", "http://lo", ""},
      {"record torn", "http://lost/\rLost\r", RecordBytes(1, kTestTimeStored, 18).substr(0, 6)},
      {"record nearly whole", "http://lost/\rLost\r", RecordBytes(1, 0, 32).substr(0, 11)},
  };
  for (const Case& c : cases) {
    TestProcess process;
    ASSERT_TRUE(Visit(process, "http://h1/", "One"));
    process.clock.Advance(30);
    ASSERT_TRUE(Visit(process, "http://h2/", "Two"));
    process.process().CloseStore();
    ASSERT_TRUE(process.Write(kData1, process.Read(kData1) + c.orphanTexts));
    ASSERT_TRUE(process.Write(kIndex, process.Read(kIndex) + c.tornRecord));
    process.process().OpenStore(StoreOptions());
    process.clock.Advance(30);
    ASSERT_TRUE(Visit(process, "http://h3/", "Three")) << c.what;
    EXPECT_EQ(Entries(History(process)),
              (std::vector<std::string>{"http://h1/|One", "http://h2/|Two", "http://h3/|Three"}))
        << c.what;
    EXPECT_EQ(process.Read(kIndex).size(), 36u) << c.what;
  }
}

// A visit that could not be written names the file that failed; one the rules left out names none.
TEST(HistoryFile, AFailedWriteIsToldFromALeftOutVisit) {
  for (const std::string& failing : {kData1, kIndex}) {
    testing::FaultyFiles faulty(*SystemPorts().files);
    TestProcess process({testing::kTestTime, &faulty, nullptr, false});
    ASSERT_TRUE(process.Write(kData1, "") && process.Write(kIndex, ""));
    faulty.FailWrites(failing, 2);
    process.process().OpenStore(StoreOptions());
    EXPECT_FALSE(Visit(process, "http://h1/", "One"));
    EXPECT_EQ(History(process).failedWrite(), failing);
    EXPECT_FALSE(Visit(process, "http://h1/file.zip", ""));
    EXPECT_EQ(History(process).failedWrite() + std::to_string(History(process).Count()), "0");
  }
}

TEST(HistoryFile, AnIndexThatCannotBeOpenedRecordsNothing) {
  testing::TestProcessOptions options;
  options.makeDataDirectories = false;
  TestProcess process(options);
  HistoryFile history(Table());
  EXPECT_FALSE(history.OpenHistory());
  EXPECT_EQ(history.Count(), 0);
  std::string title = "Home";
  EXPECT_FALSE(history.RecordVisit("http://h1/", true, &title));
}

}  // namespace
}  // namespace corvisant
