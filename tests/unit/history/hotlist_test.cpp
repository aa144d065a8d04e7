#include "history/hotlist.h"

#include <gtest/gtest.h>

#include <string>

#include "history/url_list.h"
#include "tests/support/recording_reporter.h"
#include "tests/unit/history/history_fixture.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

class HotlistTest : public testing::StoreTest {
 protected:
  HotlistTest() { SetStoreRoot(files_.CurrentDirectory()); }
  std::string Header() {
    return "<HTML>\r\n<base href=\"file://" + StoreRootUrlPath() + "/\">\r\n";
  }
  UnixTime visit_ = testing::LocalTime(1997, 12, 5, 10, 3, 4);
};

TEST_F(HotlistTest, EntryLinesLinkTheLocalCopyWhenThereIsOne) {
  ASSERT_EQ(files_.MakeDirectory("h1"), 0);
  ASSERT_TRUE(Put("h1\\a.html", "<html>"));
  ASSERT_EQ(files_.MakeDirectory("h2"), 0);
  ASSERT_EQ(files_.MakeDirectory("h3$81"), 0);
  ASSERT_TRUE(Put("h3$81\\index.html", "<html>"));
  struct Case {
    const char* url;
    const char* title;
    const char* line;
  };
  const Case cases[] = {
      {"http://h1/a.html", "A",
       "<li><A HREF=\"http://h1/a.html\">A</A> <A HREF=\"h1/a.html\">(*)</A> 1997/12/05 "
       "10:03:04\n"},
      {"http://h1/missing.html", "M",
       "<li><A HREF=\"http://h1/missing.html\">M</A>  1997/12/05 10:03:04\n"},
      {"http://h2/", "Site root without its index",
       "<li><A HREF=\"http://h2/\">Site root without its index</A> <A HREF=\"h2\">(*)</A> "
       "1997/12/05 10:03:04\n"},
      {"http://h4/", "No site", "<li><A HREF=\"http://h4/\">No site</A>  1997/12/05 10:03:04\n"},
      {"http://h3:81/", "Port",
       "<li><A HREF=\"http://h3:81/\">Port</A> <A HREF=\"h3$81/index.html\">(*)</A> 1997/12/05 "
       "10:03:04\n"},
      {"mailto:x@h1", "Mail", "<li><A HREF=\"mailto:x@h1\">Mail</A>  1997/12/05 10:03:04\n"},
      {"http://h4/q\"x", "<script>a</script>",
       "<li><A HREF=\"http://h4/q%22x\">&lt;script>a&lt;/script></A>  1997/12/05 10:03:04\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatHotlistEntry(c.url, c.title, visit_), c.line) << c.url;
  }
}

TEST_F(HotlistTest, NamedHotlistsAreCreatedOnceWithTheirHeader) {
  EXPECT_EQ(CreateHotlist("news"), HotlistCreation::kCreated);
  EXPECT_EQ(Bytes("CorvisantDatabase\\hotlist\\news"), Header());
  ASSERT_TRUE(Put("CorvisantDatabase\\hotlist\\news", "kept"));
  EXPECT_EQ(CreateHotlist("news"), HotlistCreation::kExists);
  EXPECT_EQ(Bytes("CorvisantDatabase\\hotlist\\news"), "kept");
}

TEST_F(HotlistTest, NamesThatLeaveTheHotlistDirectoryAreRefused) {
  for (const char* name : {"", ".", "..", "..\\..\\evil", "a/b", "C:x", "sub\\name"}) {
    EXPECT_EQ(CreateHotlist(name), HotlistCreation::kInvalidName) << name;
  }
  EXPECT_EQ(files_.List("CorvisantDatabase\\hotlist", "*").size(), 0u);
  EXPECT_EQ(files_.Kind("evil"), PathKind::kMissing);
}

TEST_F(HotlistTest, AFileThatCannotBeMadeIsReported) {
  testing::RecordingReporter reporter;
  testing::RemoveTree(files_, "CorvisantDatabase\\hotlist");
  EXPECT_EQ(CreateHotlist("news"), HotlistCreation::kFailed);
  ASSERT_EQ(reporter.ids(), std::vector<int>{40005});
  EXPECT_EQ(reporter.reports()[0].arguments[0].text, "CorvisantDatabase\\hotlist\\news");
}

TEST_F(HotlistTest, AddingAppendsTheNewestEntryOfTheList) {
  UrlList history(openFiles_);
  ASSERT_TRUE(history.CreateUrlList("h.urli", "h.urld"));
  EXPECT_FALSE(AddNewestToHotlist("news", history));
  ASSERT_TRUE(history.AppendEntry("http://old/", "Old", visit_ - 60));
  ASSERT_TRUE(history.AppendEntry("http://h1/", "Home", visit_));
  EXPECT_FALSE(AddNewestToHotlist("news", history));  // never created
  ASSERT_EQ(CreateHotlist("news"), HotlistCreation::kCreated);
  ASSERT_TRUE(AddNewestToHotlist("news", history));
  ASSERT_TRUE(AddNewestToHotlist("news", history));
  std::string line = "<li><A HREF=\"http://h1/\">Home</A>  1997/12/05 10:03:04\r\n";
  EXPECT_EQ(Bytes("CorvisantDatabase\\hotlist\\news"), Header() + line + line);
}

}  // namespace
}  // namespace corvisant
