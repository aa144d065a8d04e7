#include "history/url_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/scripted_random.h"
#include "tests/unit/history/history_fixture.h"

namespace corvisant {
namespace {

using testing::kVisitTime;
using testing::kVisitTimeStored;
using testing::RecordBytes;

class UrlListTest : public testing::StoreTest {
 protected:
  // A list of the given (url, title, time) entries, made through AppendEntry.
  void Fill(UrlList& list, const std::vector<std::tuple<std::string, std::string, UnixTime>>& e) {
    ASSERT_TRUE(list.CreateUrlList("trip.urli", "trip.urld"));
    for (const auto& [url, title, time] : e) ASSERT_TRUE(list.AppendEntry(url, title, time));
  }
  std::vector<std::string> UrlsOldestFirst(UrlList& list) {
    std::vector<std::string> urls;
    for (int i = 0; i < list.Count(); ++i) {
      HistoryEntryPtr entry = list.ReadEntryFromOldest(i);
      urls.push_back(entry ? entry->url : "<unreadable>");
    }
    return urls;
  }
};

TEST_F(UrlListTest, AppendedEntriesHaveTheFileLayout) {
  UrlList list(openFiles_);
  Fill(list, {{"http://h1/", "Home", kVisitTime}, {"http://h2/a.gif", "", 0}});
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(Bytes("trip.urli"),
            RecordBytes(1, kVisitTimeStored, 0) + RecordBytes(1, 0x7C262F10, 16));
  EXPECT_EQ(Bytes("trip.urld"), "http://h1/\rHome\rhttp://h2/a.gif\r\r");
  EXPECT_EQ(list.firstSize(), 100);
  EXPECT_EQ(list.secondSize(), 100);
  EXPECT_FALSE(list.name().has_value());
}

TEST_F(UrlListTest, ReadsRecordsAndEntriesFromEitherEnd) {
  UrlList list(openFiles_);
  Fill(list, {{"u0", "t0", 10}, {"u1", "t1", 20}, {"u2", "t2", 30}});
  IndexRecord record;
  ASSERT_EQ(list.ReadRecordFromNewest(0, &record), 0);
  EXPECT_EQ(record.time, 30);
  ASSERT_EQ(list.ReadRecordFromOldest(0, &record), 0);
  EXPECT_EQ(record.time, 10);
  for (int outside : {-1, 3, 1000}) {
    EXPECT_LT(list.ReadRecordFromNewest(outside, &record), 0) << outside;
    EXPECT_LT(list.ReadRecordFromOldest(outside, &record), 0) << outside;
    EXPECT_EQ(list.ReadEntryFromNewest(outside), nullptr) << outside;
  }
  HistoryEntryPtr entry = list.ReadEntryFromNewest(1);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->url, "u1");
  EXPECT_EQ(entry->title, "t1");
  EXPECT_EQ(entry->time, 20);
  EXPECT_FALSE(entry->extra.has_value());
  EXPECT_EQ(list.CopyUrlFromOldest(2), "u2");
  EXPECT_EQ(list.NewestToOldestIndex(0), 2);
  EXPECT_EQ(list.CountAfter(1), 2);
}

TEST_F(UrlListTest, OneRecordIsBothNewestAndOldest) {
  UrlList list(openFiles_);
  Fill(list, {{"only", "t", 5}});
  IndexRecord record;
  EXPECT_EQ(list.ReadRecordFromNewest(0, &record), 0);
  EXPECT_EQ(list.ReadRecordFromOldest(list.Count(), &record), -1);
}

TEST_F(UrlListTest, NextUrlWalksTheListOnceThenGivesEmpty) {
  UrlList list(openFiles_);
  Fill(list, {{"u0", "t", 1}, {"u1", "t", 2}, {"u2", "t", 3}});
  std::vector<std::string> got;
  for (int i = 0; i < 5; ++i) got.push_back(list.NextUrl());
  EXPECT_EQ(got, (std::vector<std::string>{"u0", "u1", "u2", "", ""}));
  EXPECT_EQ(list.GetCursor(), 3);
  list.SetCursor(1);
  EXPECT_EQ(list.CurrentUrl(), "u1");
  EXPECT_EQ(list.GetCursor(), 1);
  list.SetCursor(-1);
  EXPECT_EQ(list.CurrentUrl(), "");
  list.SetCursor(50);
  EXPECT_EQ(list.NextUrl(), "");
  EXPECT_EQ(list.GetCursor(), 50);
}

TEST_F(UrlListTest, SortAndReverseRewriteTheIndexOnly) {
  UrlList list(openFiles_);
  Fill(list, {{"late", "t", 300}, {"early", "t", 100}, {"middle", "t", 200}});
  std::string data = Bytes("trip.urld");
  ASSERT_TRUE(list.SortByTime());
  EXPECT_EQ(UrlsOldestFirst(list), (std::vector<std::string>{"early", "middle", "late"}));
  ASSERT_TRUE(list.ReverseOrder());
  EXPECT_EQ(UrlsOldestFirst(list), (std::vector<std::string>{"late", "middle", "early"}));
  EXPECT_EQ(Bytes("trip.urld"), data);
  EXPECT_EQ(Bytes("trip.urli").size(), 36u);
  // Appending after a rewrite goes after the last record.
  ASSERT_TRUE(list.AppendEntry("new", "t", 400));
  EXPECT_EQ(UrlsOldestFirst(list), (std::vector<std::string>{"late", "middle", "early", "new"}));
}

TEST_F(UrlListTest, UrlNowRecordsCarryTheClockOrNothing) {
  UrlList list(openFiles_);
  ASSERT_TRUE(list.CreateUrlList("l.urli", "l.urld"));
  ASSERT_TRUE(list.AppendUrlNow("http://h1/"));
  ASSERT_TRUE(list.AppendUrlNow(""));
  EXPECT_EQ(Bytes("l.urli"), RecordBytes(1, kVisitTimeStored, 0) + RecordBytes(1, 0x7C262F10, 0));
  EXPECT_EQ(Bytes("l.urld"), "http://h1/\r\r");
  clock_.Advance(60);
  ASSERT_TRUE(list.ReplaceUrlNow(1, "http://h2/"));
  EXPECT_EQ(Bytes("l.urli"),
            RecordBytes(1, kVisitTimeStored, 0) + RecordBytes(1, kVisitTimeStored + 60, 12));
  EXPECT_EQ(list.CopyUrlFromOldest(1), "http://h2/");
  EXPECT_FALSE(list.ReplaceUrlNow(2, "http://past-the-end/"));
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(UrlListTest, TemporaryListsGetTwoDifferentFiles) {
  testing::ScriptedRandom random({5, 5, 5, 7});
  Ports ports = CurrentPorts();
  ports.random = &random;
  Ports previous = InstallPorts(ports);
  {
    UrlList list(openFiles_);
    ASSERT_TRUE(CreateTempUrlList(list));
    EXPECT_EQ(list.indexPath(), "CorvisantDatabase\\temp\\00005");
    EXPECT_EQ(list.dataPath(), "CorvisantDatabase\\temp\\00007");
    ASSERT_TRUE(list.AppendEntry("http://h1/", "Home", 1));
    EXPECT_EQ(Bytes(list.dataPath()), "http://h1/\rHome\r");
    EXPECT_EQ(Bytes(list.indexPath()).size(), 12u);
  }
  InstallPorts(previous);
}

TEST_F(UrlListTest, CarriageReturnsInTextsKeepTheFraming) {
  UrlList list(openFiles_);
  Fill(list, {{"http://h1/a\rb", "Line one\r\nline two", 1}, {"http://h2/", "Next", 2}});
  EXPECT_EQ(Bytes("trip.urld"), "http://h1/a%0Db\rLine one \nline two\rhttp://h2/\rNext\r");
  EXPECT_EQ(UrlsOldestFirst(list), (std::vector<std::string>{"http://h1/a%0Db", "http://h2/"}));
  EXPECT_EQ(list.ReadEntryFromOldest(1)->title, "Next");
}

TEST_F(UrlListTest, OpensAnExistingPairAsItStands) {
  ASSERT_TRUE(
      Put("shell.urli", RecordBytes(1, kVisitTimeStored, 4) + RecordBytes(1, 0x7C262F10, 0)));
  ASSERT_TRUE(Put("shell.urld", "b\rB\ra\rA\r"));
  UrlList list(openFiles_);
  ASSERT_TRUE(list.OpenUrlList("shell.urli", "shell.urld"));
  EXPECT_EQ(UrlsOldestFirst(list), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(list.ReadEntryFromOldest(0)->time, kVisitTime);
  EXPECT_EQ(list.ReadEntryFromOldest(1)->time, 0);
}

TEST_F(UrlListTest, MissingFilesFailTheOpen) {
  UrlList opened(openFiles_);
  EXPECT_FALSE(opened.OpenUrlList("none.urli", "none.urld"));
  UrlList created(openFiles_);
  EXPECT_FALSE(created.CreateUrlList("no\\such\\dir.urli", "no\\such\\dir.urld"));
  EXPECT_EQ(created.Count(), 0);
  EXPECT_EQ(created.ReadEntryFromNewest(0), nullptr);
  EXPECT_FALSE(created.AppendEntry("u", "t", 1));
}

// Damaged pairs: the readers give every entry that is whole and skip the rest.
TEST_F(UrlListTest, DamagedPairsGiveTheirWholeEntriesOnly) {
  const std::string data = "good\rG\rcut\rC";
  struct Case {
    const char* what;
    std::string index;
    std::vector<std::string> urls;
  };
  const Case cases[] = {
      {"torn record at the end", RecordBytes(1, 1, 0) + std::string("\x00\x00\x00", 3), {"good"}},
      {"offset past the data",
       RecordBytes(1, 1, 0) + RecordBytes(1, 1, 9999),
       {"good", "<unreadable>"}},
      {"data cut inside a title",
       RecordBytes(1, 1, 7) + RecordBytes(1, 1, 0),
       {"<unreadable>", "good"}},
      {"data file number 0", RecordBytes(0, 1, 0) + RecordBytes(1, 1, 0), {"<unreadable>", "good"}},
      {"history data file that is missing",
       RecordBytes(7, 1, 0) + RecordBytes(1, 1, 0),
       {"<unreadable>", "good"}},
      {"empty index", "", {}},
      {"index shorter than a record", "\x01\x02", {}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Put("d.urli", c.index));
    ASSERT_TRUE(Put("d.urld", data));
    UrlList list(openFiles_);
    ASSERT_TRUE(list.OpenUrlList("d.urli", "d.urld")) << c.what;
    EXPECT_EQ(list.Count(), static_cast<int>(c.urls.size())) << c.what;
    EXPECT_EQ(UrlsOldestFirst(list), c.urls) << c.what;
  }
  // Reading never makes a data file that is missing.
  EXPECT_EQ(files_.Kind("CorvisantDatabase\\history\\HistoryURL.0007"), PathKind::kMissing);
}

TEST_F(UrlListTest, AppendingAfterATornRecordReplacesIt) {
  ASSERT_TRUE(
      Put("t.urli", RecordBytes(1, kVisitTimeStored, 0) + std::string("\x00\x00\x00\x01\xB0", 5)));
  ASSERT_TRUE(Put("t.urld", "first\rF\rorphan\rO\r"));
  {
    UrlList list(openFiles_);
    ASSERT_TRUE(list.OpenUrlList("t.urli", "t.urld"));
    ASSERT_TRUE(list.AppendEntry("second", "S", kVisitTime + 1));
    EXPECT_EQ(UrlsOldestFirst(list), (std::vector<std::string>{"first", "second"}));
  }
  EXPECT_EQ(Bytes("t.urli"),
            RecordBytes(1, kVisitTimeStored, 0) + RecordBytes(1, kVisitTimeStored + 1, 17));
}

}  // namespace
}  // namespace corvisant
