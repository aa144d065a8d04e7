// The index record, an entry's texts and the URL list. The fuzz property history_files checks on
// damaged pairs that what is read is whole and that an append (after a torn record too) reads
// back; these tests check which entries are read and the bytes written.
#include "history/url_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/entry_texts.h"
#include "history/index_record.h"
#include "tests/support/scripted_random.h"
#include "tests/unit/history/history_test_support.h"

namespace corvisant {
namespace {

using testing::kTestTime;
using testing::TestProcess;

// Every field most significant byte first, the time on the 1904 clock: a stored time below the
// shift is a negative Unix time, and the mark is read as it stands.
TEST(IndexRecord, EncodesAndDecodesTheTwelveByteLayout) {
  unsigned char bytes[kIndexRecordSize];
  EncodeIndexRecord({0, 0x0102, kTestTime, 0x0A0B0C0D}, bytes);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), kIndexRecordSize),
            RecordBytes(0x0102, kTestTimeStored, 0x0A0B0C0D));
  const unsigned char extremes[kIndexRecordSize] = {0xAB, 0xCD, 0xFF, 0xFF, 0,    0,
                                                    0,    1,    0xFF, 0xFF, 0xFF, 0xFF};
  IndexRecord read = DecodeIndexRecord(extremes);
  EXPECT_EQ(read.mark, 0xABCD);
  EXPECT_EQ(read.fileNumber, 0xFFFF);
  EXPECT_EQ(read.time, 1 - static_cast<UnixTime>(kZeroStored));
  EXPECT_EQ(read.offset, 0xFFFFFFFFu);
}

TEST(EntryTexts, ReadsWholeTextsOnly) {
  TestProcess process;
  const std::string longUrl = "http://h1/" + std::string(2000, 'u');
  struct Case {
    std::string bytes;
    std::uint32_t offset;
    std::string read;  // "url|title", or "-" when nothing can be read
  };
  const Case cases[] = {
      {"x\ry\rhttp://h1/\rHome\r", 4, "http://h1/|Home"},
      {"\r\r", 0, "|"},
      {"u\rtwo\nlines\r", 0, "u|two\nlines"},
      {"u\rt\r", 4, "-"},
      {"u\rt\r", 4000, "-"},
      {"http://h", 0, "-"},
      {"http://h1/\rHo", 0, "-"},
      // The rest of a long text is passed over, and the title is still found.
      {longUrl + "\rTitle\r", 0, longUrl.substr(0, 1536) + "|Title"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(process.Write("data", c.bytes));
    StreamPtr stream = process.files().Open("data", "ab+");
    ASSERT_TRUE(stream);
    std::string url, title;
    bool read = ReadEntryTexts(*stream, c.offset, &url, &title);
    EXPECT_EQ(read ? url + "|" + title : "-", c.read) << c.bytes.substr(0, 20);
  }
}

// Sorting and reversing rewrite the index only; an append afterwards goes after the last record.
TEST(UrlList, AppendsSortsAndReversesInTheFileLayout) {
  TestProcess process;
  UrlList list(Table());
  ASSERT_TRUE(list.CreateUrlList("trip.urli", "trip.urld"));
  ASSERT_TRUE(list.AppendEntry("http://h1/", "Home", kTestTime));
  ASSERT_TRUE(list.AppendEntry("http://h2/a.gif", "", 0));
  const std::string appended = RecordBytes(1, kTestTimeStored, 0) + RecordBytes(1, kZeroStored, 16);
  EXPECT_EQ(process.Read("trip.urli"), appended);
  const std::string data = "http://h1/\rHome\rhttp://h2/a.gif\r\r";
  EXPECT_EQ(process.Read("trip.urld"), data);
  ASSERT_TRUE(list.SortByTime());
  EXPECT_EQ(process.Read("trip.urli"),
            RecordBytes(1, kZeroStored, 16) + RecordBytes(1, kTestTimeStored, 0));
  ASSERT_TRUE(list.ReverseOrder());
  EXPECT_EQ(process.Read("trip.urli"), appended);
  ASSERT_TRUE(list.AppendEntry("u", "t", 1));
  EXPECT_EQ(process.Read("trip.urli"), appended + RecordBytes(1, kZeroStored + 1, 33));
  EXPECT_EQ(process.Read("trip.urld"), data + "u\rt\r");
}

// Both reading orders agree (the fuzz property checks it); nothing is read outside the list.
TEST(UrlList, ReadsInsideTheListAndReplaysItOnce) {
  TestProcess process;
  UrlList list(Table());
  ASSERT_TRUE(list.CreateUrlList("trip.urli", "trip.urld"));
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(list.AppendEntry("u" + std::to_string(i), "t" + std::to_string(i), 10 * (i + 1)));
  }
  IndexRecord record;
  for (int outside : {-1, 3, 1000}) {
    EXPECT_LT(list.ReadRecordFromNewest(outside, &record), 0) << outside;
    EXPECT_LT(list.ReadRecordFromOldest(outside, &record), 0) << outside;
    EXPECT_EQ(list.ReadEntryFromNewest(outside), nullptr) << outside;
  }
  EXPECT_EQ(list.CopyUrlFromOldest(1), "u1");

  std::vector<std::string> replayed;
  for (int i = 0; i < 5; ++i) replayed.push_back(list.NextUrl());
  EXPECT_EQ(replayed, (std::vector<std::string>{"u0", "u1", "u2", "", ""}));
  EXPECT_EQ(list.GetCursor(), 3);
  list.SetCursor(1);
  EXPECT_EQ(list.CurrentUrl(), "u1");
  list.SetCursor(-1);
  EXPECT_EQ(list.CurrentUrl(), "");
  list.SetCursor(50);
  EXPECT_EQ(list.NextUrl(), "");
  EXPECT_EQ(list.GetCursor(), 50);
}

// An URL added "now" carries the clock's time; without an URL, time 0 and no texts.
TEST(UrlList, UrlNowRecordsCarryTheClockOrNothing) {
  TestProcess process;
  UrlList list(Table());
  ASSERT_TRUE(list.CreateUrlList("l.urli", "l.urld"));
  ASSERT_TRUE(list.AppendUrlNow("http://h1/"));
  ASSERT_TRUE(list.AppendUrlNow(""));
  EXPECT_EQ(process.Read("l.urli"),
            RecordBytes(1, kTestTimeStored, 0) + RecordBytes(1, kZeroStored, 0));
  EXPECT_EQ(process.Read("l.urld"), "http://h1/\r\r");
  process.clock.Advance(60);
  ASSERT_TRUE(list.ReplaceUrlNow(1, "http://h2/"));
  EXPECT_EQ(process.Read("l.urli"),
            RecordBytes(1, kTestTimeStored, 0) + RecordBytes(1, kTestTimeStored + 60, 12));
  EXPECT_FALSE(list.ReplaceUrlNow(2, "http://past-the-end/"));
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"http://h1/|", "http://h2/|"}));
}

// A name already taken is drawn again, so that the two files differ.
TEST(UrlList, TemporaryListsGetTwoDifferentFiles) {
  testing::ScriptedRandom random({5, 5, 5, 7});
  testing::TestProcessOptions options;
  options.random = &random;
  TestProcess process(options);
  UrlList list(Table());
  ASSERT_TRUE(CreateTempUrlList(list));
  EXPECT_EQ(list.indexPath(), "CorvisantDatabase\\temp\\00005");
  EXPECT_EQ(list.dataPath(), "CorvisantDatabase\\temp\\00007");
  ASSERT_TRUE(list.AppendEntry("http://h1/", "Home", 1));
  EXPECT_EQ(process.Read(list.dataPath()), "http://h1/\rHome\r");
}

TEST(UrlList, MissingFilesFailTheOpen) {
  TestProcess process;
  UrlList opened(Table());
  EXPECT_FALSE(opened.OpenUrlList("none.urli", "none.urld"));
  UrlList created(Table());
  EXPECT_FALSE(created.CreateUrlList("no\\such\\dir.urli", "no\\such\\dir.urld"));
  EXPECT_EQ(created.Count(), 0);
  EXPECT_EQ(created.ReadEntryFromNewest(0), nullptr);
  EXPECT_FALSE(created.AppendEntry("u", "t", 1));
}

// The readers give every entry that is whole and skip the rest; reading never makes a data file.
TEST(UrlList, DamagedPairsGiveTheirWholeEntriesOnly) {
  struct Case {
    const char* what;
    std::string index;
    std::vector<std::string> entries;
  };
  const Case cases[] = {
      {"torn record at the end", RecordBytes(1, 1, 0) + std::string(3, '\0'), {"good|G"}},
      {"offset past the data", RecordBytes(1, 1, 0) + RecordBytes(1, 1, 9999), {"good|G", "-"}},
      {"data cut inside a title", RecordBytes(1, 1, 7) + RecordBytes(1, 1, 0), {"-", "good|G"}},
      {"data file number 0", RecordBytes(0, 1, 0) + RecordBytes(1, 1, 0), {"-", "good|G"}},
      {"a history data file that is missing",
       RecordBytes(7, 1, 0) + RecordBytes(1, 1, 0),
       {"-", "good|G"}},
      {"empty index", "", {}},
      {"index shorter than a record", "\x01\x02", {}},
  };
  for (const Case& c : cases) {
    TestProcess process;
    ASSERT_TRUE(process.Write("d.urli", c.index));
    ASSERT_TRUE(process.Write("d.urld", "good\rG\rcut\rC"));
    UrlList list(Table());
    ASSERT_TRUE(list.OpenUrlList("d.urli", "d.urld")) << c.what;
    EXPECT_EQ(Entries(list), c.entries) << c.what;
    EXPECT_EQ(process.files().Kind("CorvisantDatabase\\history\\HistoryURL.0007"),
              PathKind::kMissing);
  }
}

}  // namespace
}  // namespace corvisant
