// Hotlists and the three forms in which a whole list leaves the system: a hotlist page, a
// Visit-tag list and a ".urli"/".urld" pair. Every file is written in text mode (CR LF).
#include "history/hotlist.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "history/history_file.h"
#include "history/list_export.h"
#include "history/url_list.h"
#include "tests/support/faulty_files.h"
#include "tests/support/scripted_random.h"
#include "tests/unit/history/history_test_support.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

using testing::TestProcess;

std::string Header() { return "<HTML>\r\n<base href=\"file://" + StoreRootUrlPath() + "/\">\r\n"; }

// The "(*)" link to the local copy when there is one: the page, a site root's index.html or its
// site directory.
TEST(Hotlist, EntryLinesLinkTheLocalCopyWhenThereIsOne) {
  TestProcess process;
  for (const char* directory : {"h1", "h2", "h3$81"}) process.files().MakeDirectory(directory);
  ASSERT_TRUE(process.Write("h1\\a.html", "<html>"));
  ASSERT_TRUE(process.Write("h3$81\\index.html", "<html>"));
  const std::pair<const char*, const char*> cases[] = {
      {"http://h1/a.html", "<A HREF=\"http://h1/a.html\">A</A> <A HREF=\"h1/a.html\">(*)</A>"},
      {"http://h1/missing.html", "<A HREF=\"http://h1/missing.html\">A</A> "},
      {"http://h2/", "<A HREF=\"http://h2/\">A</A> <A HREF=\"h2\">(*)</A>"},
      {"http://h4/", "<A HREF=\"http://h4/\">A</A> "},
      {"http://h3:81/", "<A HREF=\"http://h3:81/\">A</A> <A HREF=\"h3$81/index.html\">(*)</A>"},
      {"mailto:x@h1", "<A HREF=\"mailto:x@h1\">A</A> "},
  };
  const UnixTime visit = LocalVisitTime();
  for (const auto& [url, line] : cases) {
    EXPECT_EQ(FormatHotlistEntry(url, "A", visit),
              std::string("<li>") + line + " 1997/12/05 10:03:04\n");
  }
  // No quote ends the link early, no "<" in the title opens a tag, no line feed splits the line.
  EXPECT_EQ(FormatHotlistEntry("http://h4/q\"x\ny", "<script>a</script>\nb", visit),
            "<li><A HREF=\"http://h4/q%22x%0Ay\">&lt;script>a&lt;/script> b</A>  1997/12/05 "
            "10:03:04\n");
}

// A named hotlist is made once, with its header, and takes the line of the newest entry of a list.
TEST(Hotlist, NamedHotlistsAreMadeOnceInTheHotlistDirectory) {
  TestProcess process;
  UrlList history(Table());
  ASSERT_TRUE(history.CreateUrlList("h.urli", "h.urld"));
  EXPECT_EQ(CreateHotlist("news"), HotlistCreation::kCreated);
  EXPECT_EQ(AddNewestToHotlist("news", history), HotlistAddition::kNoEntry);
  ASSERT_TRUE(history.AppendEntry("http://old/", "Old", 1));
  ASSERT_TRUE(history.AppendEntry("http://h1/", "Home", LocalVisitTime()));
  ASSERT_EQ(AddNewestToHotlist("news", history), HotlistAddition::kAdded);
  EXPECT_EQ(AddNewestToHotlist("never-made", history), HotlistAddition::kNoHotlist);
  EXPECT_EQ(CreateHotlist("news"), HotlistCreation::kExists);
  ASSERT_EQ(AddNewestToHotlist("news", history), HotlistAddition::kAdded);
  const std::string line = "<li><A HREF=\"http://h1/\">Home</A>  1997/12/05 10:03:04\r\n";
  EXPECT_EQ(process.Read("CorvisantDatabase\\hotlist\\news"), Header() + line + line);
  // Names that Windows maps to a device or cuts short are no plain files of the directory.
  for (const char* name : {"", ".", "..", "..\\..\\evil", "a/b", "C:x", "sub\\name", "NUL", "com1",
                           "AUX.txt", "x.", "x "}) {
    EXPECT_EQ(CreateHotlist(name), HotlistCreation::kInvalidName) << name;
  }
  EXPECT_EQ(CreateHotlist("B"), HotlistCreation::kCreated);
  EXPECT_EQ(CreateHotlist("a"), HotlistCreation::kCreated);
  EXPECT_EQ(HotlistNames(), (std::vector<std::string>{"B", "a", "news"})) << "byte-wise ascending";
  testing::RemoveTree(process.files(), "CorvisantDatabase\\hotlist");
  EXPECT_EQ(CreateHotlist("news"), HotlistCreation::kFailed);
  EXPECT_EQ(process.reporter.Lines(), "40005 1 0 \"CorvisantDatabase\\hotlist\\news\"\n");
}

// A list of two readable entries around one whose texts are not there, and a torn record.
TEST(ListExport, EveryFormHoldsTheReadableEntriesOldestFirst) {
  TestProcess process;
  const UnixTime visit = LocalVisitTime();
  UrlList empty(Table());
  ASSERT_TRUE(empty.CreateUrlList("e.urli", "e.urld"));
  ASSERT_TRUE(SaveAsHotlist(empty, "empty.html"));
  EXPECT_EQ(process.Read("empty.html"), Header() + "</html>\r\n");

  ASSERT_TRUE(process.Write("h0.urld", "http://h0/\rT0\rhttp://h1/\rT1\r"));
  const std::string records = RecordBytes(1, visit + kZeroStored, 0) + RecordBytes(1, 1, 500) +
                              RecordBytes(1, visit + 1 + kZeroStored, 14);
  ASSERT_TRUE(process.Write("h0.urli", records + std::string(2, '\0')));
  UrlList list(Table());
  ASSERT_TRUE(list.OpenUrlList("h0.urli", "h0.urld"));
  ASSERT_TRUE(SaveAsHotlist(list, "two.html"));
  EXPECT_EQ(process.Read("two.html"),
            Header() + "<li><A HREF=\"http://h0/\">T0</A>  1997/12/05 10:03:04\r\n" +
                "<li><A HREF=\"http://h1/\">T1</A>  1997/12/05 10:03:05\r\n</html>\r\n");

  ASSERT_TRUE(SaveAsVisitList(list, "trip.v.html", false, 20));
  EXPECT_EQ(process.Read("trip.v.html"),
            "<html>\r\n<visit repeat=1>\r\n<visit href=\"http://h0/\" spend=20secs>\r\n"
            "<visit href=\"http://h1/\" spend=20secs>\r\n</html>\r\n");
  ASSERT_TRUE(SaveAsVisitList(list, "local.v.html", true, 7));
  const std::string root = "<visit href=\"file://" + StoreRootUrlPath();
  EXPECT_EQ(process.Read("local.v.html"), "<html>\r\n<visit repeat=1>\r\n" + root +
                                              "/h0/index.html\" spend=7secs>\r\n" + root +
                                              "/h1/index.html\" spend=7secs>\r\n</html>\r\n");

  // A pair of the list's own texts is copied as it stands, its whole records.
  ASSERT_TRUE(SaveAsUrlList(list, "trip"));
  EXPECT_EQ(process.Read("trip.urli"), records);
  EXPECT_EQ(process.Read("trip.urld"), process.Read("h0.urld"));
}

// A history past its first data file is saved into one pair holding every readable text.
TEST(ListExport, AHistoryOverSeveralDataFilesSavesEveryEntry) {
  TestProcess process;
  ASSERT_TRUE(process.Write(kData1, "http://a/\rA\rhttp://b/\rB\r"));
  ASSERT_TRUE(process.Write(kData2, "http://c/\rC\r"));
  ASSERT_TRUE(process.Write(
      kIndex, RecordBytes(1, kTestTimeStored, 0) + RecordBytes(1, kTestTimeStored + 1, 12) +
                  RecordBytes(2, kTestTimeStored + 2, 0) + RecordBytes(9, kTestTimeStored + 3, 0)));
  ASSERT_TRUE(SaveAsUrlList(*process.process().History(), "all"));
  EXPECT_EQ(process.Read("all.urli"), RecordBytes(1, kTestTimeStored, 0) +
                                          RecordBytes(1, kTestTimeStored + 1, 12) +
                                          RecordBytes(1, kTestTimeStored + 2, 24));
  EXPECT_EQ(process.Read("all.urld"), "http://a/\rA\rhttp://b/\rB\rhttp://c/\rC\r");
}

// A file that cannot be made is reported and ends the export; a pair is never saved over itself,
// and its data file is not written when its index could not be made.
TEST(ListExport, FilesThatCannotBeMadeAreReported) {
  TestProcess process;
  UrlList list(Table());
  ASSERT_TRUE(list.CreateUrlList("src.urli", "src.urld"));
  ASSERT_TRUE(list.AppendEntry("http://h1/", "T", 1));
  const std::string index = process.Read("src.urli");
  EXPECT_FALSE(SaveAsHotlist(list, "no\\dir\\h.html"));
  EXPECT_FALSE(SaveAsVisitList(list, "no\\dir\\v.html", false, 20));
  EXPECT_FALSE(SaveAsUrlList(list, "no\\dir\\pair"));
  EXPECT_FALSE(SaveAsUrlList(list, "SRC"));
  ASSERT_EQ(process.files().MakeDirectory("pair.urli"), 0);
  EXPECT_FALSE(SaveAsUrlList(list, "pair"));
  EXPECT_EQ(process.files().Kind("pair.urld"), PathKind::kMissing);
  EXPECT_EQ(process.Read("src.urli"), index);
  EXPECT_EQ(Entries(list), std::vector<std::string>{"http://h1/|T"});
  EXPECT_EQ(process.reporter.Lines(),
            "40005 1 0 \"no\\dir\\h.html\"\n40005 1 0 \"no\\dir\\v.html\"\n"
            "40005 1 0 \"no\\dir\\pair.urli\"\n40005 1 0 \"SRC.urli\"\n40005 1 0 \"pair.urli\"\n");
}

// A full disk takes none of the bytes of a write's fresh file: the failure is reported, the fresh
// file goes, and every destination keeps what it held.
TEST(ListExport, AFullDiskLeavesEveryDestinationAsItWas) {
  const std::tuple<const char*, const char*, bool (*)(UrlListFile&)> cases[] = {
      {"~new", "old.html", [](UrlListFile& l) { return SaveAsHotlist(l, "old.html"); }},
      {"urli.00007~new", "pair.urli", [](UrlListFile& l) { return SaveAsUrlList(l, "pair"); }},
      {"urld.00007~new", "pair.urld", [](UrlListFile& l) { return SaveAsUrlList(l, "pair"); }},
      {"~new", "CorvisantDatabase\\hotlist\\news",
       [](UrlListFile& l) { return AddNewestToHotlist("news", l) == HotlistAddition::kAdded; }},
      {"~new", "CorvisantDatabase\\hotlist\\made",
       [](UrlListFile&) { return CreateHotlist("made") == HotlistCreation::kCreated; }},
  };
  const std::string kept[] = {"old.html", "pair.urli", "pair.urld",
                              "CorvisantDatabase\\hotlist\\news"};
  for (const auto& [failing, destination, write] : cases) {
    testing::FaultyFiles faulty(*SystemPorts().files);
    testing::ScriptedRandom random({7});
    TestProcess process({testing::kTestTime, &faulty, &random});
    for (const std::string& file : kept) ASSERT_TRUE(process.Write(file, file));
    UrlList list(Table());
    ASSERT_TRUE(list.CreateUrlList("s.urli", "s.urld") && list.AppendEntry("http://h1/", "T", 1));
    faulty.FailWrites(failing, 1);
    EXPECT_FALSE(write(list)) << destination;
    EXPECT_EQ(process.reporter.Lines(), "40005 1 0 \"" + std::string(destination) + "\"\n");
    for (const std::string& file : kept) EXPECT_EQ(process.Read(file), file) << destination;
    EXPECT_TRUE(process.files().List(".", "*~new").empty()) << destination;
    EXPECT_EQ(process.files().List("CorvisantDatabase\\hotlist", "*").size(), 1u) << destination;
  }
}

}  // namespace
}  // namespace corvisant
