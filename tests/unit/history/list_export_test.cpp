#include "history/list_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/history_file.h"
#include "history/url_list.h"
#include "tests/support/recording_reporter.h"
#include "tests/unit/history/history_fixture.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

using testing::kVisitTime;
using testing::kVisitTimeStored;
using testing::RecordBytes;

class ListExportTest : public testing::StoreTest {
 protected:
  ListExportTest() { SetStoreRoot(files_.CurrentDirectory()); }
  std::string Header() {
    return "<HTML>\r\n<base href=\"file://" + StoreRootUrlPath() + "/\">\r\n";
  }
  void MakeList(UrlList& list, int entries) {
    ASSERT_TRUE(list.CreateUrlList("src.urli", "src.urld"));
    for (int i = 0; i < entries; ++i) {
      ASSERT_TRUE(list.AppendEntry("http://h" + std::to_string(i) + "/", "T" + std::to_string(i),
                                   visit_ + i));
    }
  }
  std::vector<std::string> Entries(UrlListFile& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) {
      HistoryEntryPtr entry = list.ReadEntryFromOldest(i);
      lines.push_back(entry ? entry->url + " " + entry->title + " " + std::to_string(entry->time)
                            : "<unreadable>");
    }
    return lines;
  }
  UnixTime visit_ = testing::LocalTime(1997, 12, 5, 10, 3, 4);
};

TEST_F(ListExportTest, HotlistHasTheHeaderThenOneLinePerEntryOldestFirst) {
  UrlList list(openFiles_);
  MakeList(list, 0);
  ASSERT_TRUE(SaveAsHotlist(list, "empty.html"));
  EXPECT_EQ(Bytes("empty.html"), Header() + "</html>\r\n");
  ASSERT_TRUE(list.AppendEntry("http://h0/", "T0", visit_));
  ASSERT_TRUE(list.AppendEntry("http://h1/", "T1", visit_ + 1));
  ASSERT_TRUE(SaveAsHotlist(list, "two.html"));
  EXPECT_EQ(Bytes("two.html"),
            Header() + "<li><A HREF=\"http://h0/\">T0</A>  1997/12/05 10:03:04\r\n" +
                "<li><A HREF=\"http://h1/\">T1</A>  1997/12/05 10:03:05\r\n</html>\r\n");
}

TEST_F(ListExportTest, VisitListCarriesTheDisplayTime) {
  ASSERT_EQ(files_.MakeDirectory("h1"), 0);
  ASSERT_TRUE(Put("h1\\index.html", "<html>"));
  UrlList list(openFiles_);
  MakeList(list, 2);
  ASSERT_TRUE(SaveAsVisitList(list, "trip.v.html", false, 20));
  EXPECT_EQ(Bytes("trip.v.html"),
            "<html>\r\n<visit repeat=1>\r\n<visit href=\"http://h0/\" spend=20secs>\r\n"
            "<visit href=\"http://h1/\" spend=20secs>\r\n</html>\r\n");
  ASSERT_TRUE(SaveAsVisitList(list, "local.v.html", true, 7));
  std::string root = "file://" + StoreRootUrlPath();
  EXPECT_EQ(Bytes("local.v.html"), "<html>\r\n<visit repeat=1>\r\n<visit href=\"" + root +
                                       "/h0/index.html\" spend=7secs>\r\n<visit href=\"" + root +
                                       "/h1/index.html\" spend=7secs>\r\n</html>\r\n");
}

TEST_F(ListExportTest, UrlListPairIsCopiedAsItStands) {
  UrlList list(openFiles_);
  MakeList(list, 3);
  ASSERT_TRUE(SaveAsUrlList(list, "trip"));
  EXPECT_EQ(Bytes("trip.urli").size(), 36u);
  EXPECT_EQ(Bytes("trip.urli"), Bytes("src.urli"));
  EXPECT_EQ(Bytes("trip.urld"), Bytes("src.urld"));
  UrlList saved(openFiles_);
  ASSERT_TRUE(saved.OpenUrlList("trip.urli", "trip.urld"));
  EXPECT_EQ(Entries(saved), Entries(list));
}

TEST_F(ListExportTest, HistoryOverSeveralDataFilesSavesEveryEntry) {
  const std::string data2 = "CorvisantDatabase\\history\\HistoryURL.0002";
  ASSERT_TRUE(Put("CorvisantDatabase\\history\\HistoryURL.0001", "http://a/\rA\rhttp://b/\rB\r"));
  ASSERT_TRUE(Put(data2, "http://c/\rC\r"));
  ASSERT_TRUE(Put("CorvisantDatabase\\history\\HistoryIndex",
                  RecordBytes(1, kVisitTimeStored, 0) + RecordBytes(1, kVisitTimeStored + 1, 12) +
                      RecordBytes(2, kVisitTimeStored + 2, 0) +
                      RecordBytes(9, kVisitTimeStored + 3, 0)));
  HistoryFile history(openFiles_);
  ASSERT_TRUE(history.OpenHistory());
  ASSERT_TRUE(SaveAsUrlList(history, "all"));
  // Every readable entry, its texts in the pair's own data file; the damaged record is left out.
  EXPECT_EQ(Bytes("all.urli"), RecordBytes(1, kVisitTimeStored, 0) +
                                   RecordBytes(1, kVisitTimeStored + 1, 12) +
                                   RecordBytes(1, kVisitTimeStored + 2, 24));
  EXPECT_EQ(Bytes("all.urld"), "http://a/\rA\rhttp://b/\rB\rhttp://c/\rC\r");
  UrlList saved(openFiles_);
  ASSERT_TRUE(saved.OpenUrlList("all.urli", "all.urld"));
  std::vector<std::string> expected = Entries(history);
  expected.pop_back();
  EXPECT_EQ(Entries(saved), expected);
}

TEST_F(ListExportTest, FilesThatCannotBeMadeAreReported) {
  testing::RecordingReporter reporter;
  UrlList list(openFiles_);
  MakeList(list, 1);
  EXPECT_FALSE(SaveAsHotlist(list, "no\\dir\\h.html"));
  EXPECT_FALSE(SaveAsVisitList(list, "no\\dir\\v.html", false, 20));
  EXPECT_FALSE(SaveAsUrlList(list, "no\\dir\\pair"));
  EXPECT_EQ(reporter.ids(), (std::vector<int>{40005, 40005, 40005}));
  EXPECT_EQ(reporter.reports()[2].arguments[0].text, "no\\dir\\pair.urli");
  // The data file of a pair is not written when its index could not be made.
  ASSERT_EQ(files_.MakeDirectory("pair.urli"), 0);
  EXPECT_FALSE(SaveAsUrlList(list, "pair"));
  EXPECT_EQ(files_.Kind("pair.urld"), PathKind::kMissing);
}

TEST_F(ListExportTest, APairIsNeverSavedOverItself) {
  UrlList list(openFiles_);
  MakeList(list, 2);
  std::string index = Bytes("src.urli");
  testing::RecordingReporter reporter;
  EXPECT_FALSE(SaveAsUrlList(list, "SRC"));
  EXPECT_EQ(reporter.ids(), std::vector<int>{40005});
  EXPECT_EQ(Bytes("src.urli"), index);
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(ListExportTest, UnreadableEntriesAreLeftOut) {
  ASSERT_TRUE(Put("d.urli", RecordBytes(1, kVisitTimeStored, 0) + RecordBytes(1, 1, 500) +
                                std::string("\x00\x00", 2)));
  ASSERT_TRUE(Put("d.urld", "http://h1/\rOne\r"));
  UrlList list(openFiles_);
  ASSERT_TRUE(list.OpenUrlList("d.urli", "d.urld"));
  ASSERT_TRUE(SaveAsVisitList(list, "d.v.html", false, 20));
  EXPECT_EQ(
      Bytes("d.v.html"),
      "<html>\r\n<visit repeat=1>\r\n<visit href=\"http://h1/\" spend=20secs>\r\n</html>\r\n");
}

}  // namespace
}  // namespace corvisant
