#include "history/history_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/history_ports.h"
#include "tests/unit/history/history_fixture.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

using testing::kVisitTime;
using testing::kVisitTimeStored;
using testing::RecordBytes;

const std::string kIndex = "CorvisantDatabase\\history\\HistoryIndex";
const std::string kData1 = "CorvisantDatabase\\history\\HistoryURL.0001";
const std::string kData2 = "CorvisantDatabase\\history\\HistoryURL.0002";

class ScriptedTitle : public BrowserTitleSource {
 public:
  std::string GetBrowserTitle() override {
    ++asked;
    return title;
  }
  std::string title;
  int asked = 0;
};

class RecordingWindow : public HistoryWindowView {
 public:
  bool AddVisitLine(std::string_view line) override {
    lines.emplace_back(line);
    return true;
  }
  std::vector<std::string> lines;
};

class HistoryFileTest : public testing::StoreTest {
 protected:
  HistoryFileTest() : previousPorts_(InstallHistoryPorts({&browser_, &window_})) {
    SetStoreRoot(files_.CurrentDirectory());
  }
  ~HistoryFileTest() override { InstallHistoryPorts(previousPorts_); }

  void FreshHistory() {
    testing::RemoveTree(files_, "CorvisantDatabase\\history");
    files_.MakeDirectory("CorvisantDatabase\\history");
  }
  bool Visit(HistoryFile& history, const std::string& url, const std::string& title) {
    std::string buffer = title;
    return history.RecordVisit(url, true, &buffer);
  }
  std::vector<std::string> NewestFirst(HistoryFile& history) {
    std::vector<std::string> lines;
    for (int i = 0; i < history.Count(); ++i) {
      HistoryEntryPtr entry = history.ReadEntryFromNewest(i);
      lines.push_back(entry ? entry->url + " | " + entry->title : "<unreadable>");
    }
    return lines;
  }

  ScriptedTitle browser_;
  RecordingWindow window_;
  HistoryPorts previousPorts_;
};

TEST_F(HistoryFileTest, FirstVisitMakesTheIndexAndTheFirstDataFile) {
  HistoryFile history(openFiles_);
  ASSERT_TRUE(history.OpenHistory());
  EXPECT_EQ(history.Count(), 0);
  EXPECT_EQ(history.appendNumber(), 1);
  EXPECT_EQ(history.ReadEntryFromNewest(0), nullptr);
  ASSERT_TRUE(Visit(history, "http://h1/", "Home"));
  EXPECT_EQ(Bytes(kIndex), RecordBytes(1, kVisitTimeStored, 0));
  EXPECT_EQ(Bytes(kData1), "http://h1/\rHome\r");
  clock_.Advance(30);
  ASSERT_TRUE(Visit(history, "http://h2/", "Two"));
  EXPECT_EQ(Bytes(kIndex),
            RecordBytes(1, kVisitTimeStored, 0) + RecordBytes(1, kVisitTimeStored + 30, 16));
  EXPECT_EQ(NewestFirst(history),
            (std::vector<std::string>{"http://h2/ | Two", "http://h1/ | Home"}));
}

TEST_F(HistoryFileTest, RepeatsWithinTwentySecondsAreRecordedOnce) {
  struct Case {
    UnixTime after;
    const char* url;
    const char* title;
    int count;
  };
  for (const Case& c : {Case{0, "http://h1/", "Home", 1}, Case{20, "http://h1/", "Home", 1},
                        Case{21, "http://h1/", "Home", 2}, Case{5, "http://h1/", "Other", 2},
                        Case{5, "http://h1/x.html", "Home", 2}, Case{5, "http://H1/", "Home", 2}}) {
    FreshHistory();
    OpenFilesTable table;
    HistoryFile history(table);
    ASSERT_TRUE(history.OpenHistory());
    clock_.Set(kVisitTime);
    ASSERT_TRUE(Visit(history, "http://h1/", "Home"));
    clock_.Advance(c.after);
    EXPECT_EQ(Visit(history, c.url, c.title), c.count == 2) << c.after << c.url << c.title;
    EXPECT_EQ(history.Count(), c.count) << c.after << c.url << c.title;
  }
}

TEST_F(HistoryFileTest, TitleRulesDecideWhatIsRecorded) {
  struct Case {
    std::string url;
    bool titleKnown;
    const char* title;
    const char* browserTitle;
    const char* recorded;  // "url | title", or null when nothing is recorded
  };
  const Case cases[] = {
      {"http://h1/pic.gif", true, "", "", "http://h1/pic.gif | http://h1/pic.gif"},
      {"http://h1/file.zip", true, "", "", nullptr},
      {"http://h1/dir/", true, "", "", "http://h1/dir/ | http://h1/dir/"},
      {"http://h1/file.zip", true, "Named", "", "http://h1/file.zip | Named"},
      {"http://h1/map.GIF?40,12", true, "Map", "", nullptr},
      {"http://h1/map.gif?11,9", true, "Map", "", "http://h1/map.gif?11,9 | Map"},
      {"http://h1/a.html", false, "ignored", "From browser", "http://h1/a.html | From browser"},
      {"http://h1/a.html", false, "ignored", "", "http://h1/a.html | http://h1/a.html"},
      {"http://h1/index.html", true, "Root", "", "http://h1/ | Root"},
      // A local copy is recorded under its web URL.
      {"file://" + StoreRootUrlPath() + "/www.h1.example$81/docs/index.html", true, "Docs", "",
       "http://www.h1.example:81/docs/ | Docs"},
  };
  for (const Case& c : cases) {
    FreshHistory();
    OpenFilesTable table;
    HistoryFile history(table);
    ASSERT_TRUE(history.OpenHistory());
    browser_.title = c.browserTitle;
    browser_.asked = 0;
    std::string buffer = c.title;
    EXPECT_EQ(history.RecordVisit(c.url, c.titleKnown, &buffer), c.recorded != nullptr) << c.url;
    EXPECT_EQ(browser_.asked, c.titleKnown ? 0 : 1) << c.url;
    if (!c.titleKnown) {
      EXPECT_EQ(buffer, c.browserTitle) << c.url;
    }
    std::vector<std::string> expected;
    if (c.recorded != nullptr) expected.push_back(c.recorded);
    EXPECT_EQ(NewestFirst(history), expected) << c.url;
  }
}

TEST_F(HistoryFileTest, EachVisitPutsItsLineAtTheTopOfTheHistoryWindow) {
  HistoryFile history(openFiles_);
  ASSERT_TRUE(history.OpenHistory());
  clock_.Set(testing::LocalTime(1997, 12, 5, 10, 3, 4));
  ASSERT_TRUE(Visit(history, "http://h1/", "Home"));
  EXPECT_FALSE(Visit(history, "http://h1/", "Home"));
  ASSERT_TRUE(Visit(history, "http://h1/pic.gif", ""));
  EXPECT_EQ(window_.lines, (std::vector<std::string>{"1997/12/05 10:03:04 Home",
                                                     "1997/12/05 10:03:04 http://h1/pic.gif"}));
  // Without a window, recording goes on.
  InstallHistoryPorts({});
  clock_.Advance(60);
  EXPECT_TRUE(Visit(history, "http://h1/", "Home"));
  EXPECT_EQ(history.Count(), 3);
}

TEST_F(HistoryFileTest, CarriageReturnsFromThePageNeverSplitAnEntry) {
  HistoryFile history(openFiles_);
  ASSERT_TRUE(history.OpenHistory());
  ASSERT_TRUE(Visit(history, "http://h1/a\rb.html", "Title on\r\ntwo lines"));
  clock_.Advance(1);
  // The same page again is still a repeat: the comparison is made on the stored texts.
  EXPECT_FALSE(Visit(history, "http://h1/a\rb.html", "Title on\r\ntwo lines"));
  ASSERT_TRUE(Visit(history, "http://h2/", "Next"));
  EXPECT_EQ(Bytes(kData1), "http://h1/a%0Db.html\rTitle on \ntwo lines\rhttp://h2/\rNext\r");
  EXPECT_EQ(NewestFirst(history),
            (std::vector<std::string>{"http://h2/ | Next",
                                      "http://h1/a%0Db.html | Title on \ntwo lines"}));
}

TEST_F(HistoryFileTest, ANewDataFileStartsOnlyPastTheLimit) {
  struct Case {
    std::int64_t size;
    std::uint16_t appendNumber;
  };
  for (const Case& c : {Case{kDataFileLimit, 1}, Case{kDataFileLimit + 1, 2}}) {
    FreshHistory();
    ASSERT_TRUE(Put(kIndex, RecordBytes(1, kVisitTimeStored, 0)));
    {
      // Sparse: only the first entry and the last byte are written.
      StreamPtr big = files_.Open(kData1, "wb");
      ASSERT_TRUE(big);
      big->WriteText("http://old/\rOld\r");
      ASSERT_TRUE(big->Seek(c.size - 1, SeekFrom::kStart));
      big->WriteText("\r");
    }
    OpenFilesTable table;
    HistoryFile history(table);
    ASSERT_TRUE(history.OpenHistory());
    EXPECT_EQ(history.appendNumber(), c.appendNumber);
    clock_.Advance(60);
    ASSERT_TRUE(Visit(history, "http://new/", "New"));
    IndexRecord record;
    ASSERT_EQ(history.ReadRecordFromNewest(0, &record), 0);
    EXPECT_EQ(record.fileNumber, c.appendNumber);
    EXPECT_EQ(NewestFirst(history),
              (std::vector<std::string>{"http://new/ | New", "http://old/ | Old"}));
    if (c.appendNumber == 2) {
      EXPECT_EQ(Bytes(kData2), "http://new/\rNew\r");
    }
  }
}

TEST_F(HistoryFileTest, TheProbeStopsAtTheFirstMissingDataFile) {
  ASSERT_TRUE(Put(kData1, "a\rA\r"));
  ASSERT_TRUE(Put("CorvisantDatabase\\history\\HistoryURL.0003", "c\rC\r"));
  HistoryFile history(openFiles_);
  ASSERT_TRUE(history.OpenHistory());
  EXPECT_EQ(history.appendNumber(), 1);
  ASSERT_TRUE(Visit(history, "http://h1/", "Home"));
  EXPECT_EQ(Bytes(kIndex), RecordBytes(1, kVisitTimeStored, 4));
}

// A process that ended between an entry's texts and its record, or inside either.
TEST_F(HistoryFileTest, ACrashMidVisitLosesOnlyThatVisit) {
  struct Case {
    const char* what;
    std::string orphanTexts;
    std::string tornRecord;
  };
  const Case cases[] = {
      {"texts written, no record", "http://lost/\rLost\r", ""},
      {"texts cut", "http://lo", ""},
      {"record torn", "http://lost/\rLost\r", std::string("\x00\x00\x00\x01\xB0\xAE", 6)},
      {"record nearly whole", "http://lost/\rLost\r", RecordBytes(1, 0, 32).substr(0, 11)},
  };
  for (const Case& c : cases) {
    FreshHistory();
    clock_.Set(kVisitTime);
    {
      OpenFilesTable table;
      HistoryFile history(table);
      ASSERT_TRUE(history.OpenHistory());
      ASSERT_TRUE(Visit(history, "http://h1/", "One"));
      clock_.Advance(30);
      ASSERT_TRUE(Visit(history, "http://h2/", "Two"));
    }
    ASSERT_TRUE(Put(kData1, Bytes(kData1) + c.orphanTexts));
    ASSERT_TRUE(Put(kIndex, Bytes(kIndex) + c.tornRecord));

    OpenFilesTable table;
    HistoryFile history(table);
    ASSERT_TRUE(history.OpenHistory());
    EXPECT_EQ(NewestFirst(history),
              (std::vector<std::string>{"http://h2/ | Two", "http://h1/ | One"}))
        << c.what;
    clock_.Advance(30);
    ASSERT_TRUE(Visit(history, "http://h3/", "Three")) << c.what;
    EXPECT_EQ(
        NewestFirst(history),
        (std::vector<std::string>{"http://h3/ | Three", "http://h2/ | Two", "http://h1/ | One"}))
        << c.what;
    EXPECT_EQ(Bytes(kIndex).size(), 36u) << c.what;
  }
}

TEST_F(HistoryFileTest, RecordsOfAMissingDataFileAreSkippedWithoutMakingIt) {
  ASSERT_TRUE(Put(kData1, "a\rA\r"));
  ASSERT_TRUE(Put(kIndex, RecordBytes(1, 1, 0) + RecordBytes(4, 1, 0) + RecordBytes(1, 1, 0)));
  HistoryFile history(openFiles_);
  ASSERT_TRUE(history.OpenHistory());
  EXPECT_EQ(NewestFirst(history), (std::vector<std::string>{"a | A", "<unreadable>", "a | A"}));
  EXPECT_EQ(files_.Kind("CorvisantDatabase\\history\\HistoryURL.0004"), PathKind::kMissing);
}

TEST_F(HistoryFileTest, AnUnopenableIndexRecordsNothing) {
  testing::RemoveTree(files_, "CorvisantDatabase\\history");
  HistoryFile history(openFiles_);
  EXPECT_FALSE(history.OpenHistory());
  EXPECT_EQ(history.Count(), 0);
  EXPECT_FALSE(Visit(history, "http://h1/", "Home"));
}

}  // namespace
}  // namespace corvisant
