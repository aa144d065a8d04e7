#include "url/page_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/message_ids.h"
#include "platform/ports.h"
#include "tests/support/fake_clock.h"
#include "tests/support/faulty_files.h"
#include "tests/support/name_recording_files.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/scripted_random.h"
#include "tests/support/store_name_check.h"
#include "url/url.h"

namespace corvisant {
namespace {

constexpr UnixTime kStartTime = 880000000;

class PageStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Ports ports = SystemPorts();
    system_ = ports.files;
    ports.files = &faulty_;
    ports.clock = &clock_;
    ports.random = &random_;
    previous_ = InstallPorts(ports);
    SetStoreRoot(files().CurrentDirectory());
  }
  void TearDown() override { InstallPorts(previous_); }

  Files& files() { return faulty_; }
  std::string Read(const std::string& path) { return testing::ReadBytes(files(), path); }
  bool Write(const std::string& path, const std::string& bytes) {
    return testing::WriteBytes(files(), path, bytes);
  }
  // top\a.html, top\b.gif and top\sub\c.html.
  void MakeTree() {
    ASSERT_EQ(files().MakeDirectory("top"), 0);
    ASSERT_EQ(files().MakeDirectory("top\\sub"), 0);
    for (const char* file : {"top\\a.html", "top\\b.gif", "top\\sub\\c.html"}) {
      ASSERT_TRUE(Write(file, "x"));
    }
  }

  Ports previous_;
  Files* system_ = SystemPorts().files;
  testing::FaultyFiles faulty_{*system_};
  testing::ScratchDirectory scratch_{*system_};
  testing::FakeClock clock_{kStartTime};
  testing::ScriptedRandom random_{5, 5, 7};
  testing::RecordingReporter reporter_;
};

TEST_F(PageStoreTest, PrepareStoreMakesAndRefreshesTheDataDirectories) {
  ASSERT_TRUE(PrepareStore());
  for (const char* directory :
       {"CorvisantDatabase", "CorvisantDatabase\\hotlist", "CorvisantDatabase\\history",
        "CorvisantDatabase\\etc", "CorvisantDatabase\\temp"}) {
    EXPECT_EQ(files().Kind(directory), PathKind::kDirectory) << directory;
  }
  EXPECT_EQ(Read("CorvisantDatabase\\etc\\version"), "1.02");
  EXPECT_EQ(Read("CorvisantDatabase\\etc\\entry.html"), "<HTML>\r\n<TITLE>***</TITLE></HTML>\r\n");
  EXPECT_EQ(random_.seed(), static_cast<unsigned>(kStartTime));
  EXPECT_EQ(StoreRoot(), scratch_.path());
  EXPECT_TRUE(reporter_.reports().empty());

  // Again over an existing store: the version is kept, the entry rewritten, temp emptied.
  ASSERT_TRUE(Write("CorvisantDatabase\\etc\\version", "0.99"));
  ASSERT_TRUE(Write("CorvisantDatabase\\etc\\entry.html", "old"));
  ASSERT_EQ(files().MakeDirectory("CorvisantDatabase\\temp\\sub"), 0);
  ASSERT_TRUE(Write("CorvisantDatabase\\temp\\sub\\12345", "x"));
  ASSERT_TRUE(Write("CorvisantDatabase\\temp\\00001", "x"));
  ASSERT_TRUE(PrepareStore());
  EXPECT_EQ(Read("CorvisantDatabase\\etc\\version"), "0.99");
  EXPECT_EQ(Read("CorvisantDatabase\\etc\\entry.html"), "<HTML>\r\n<TITLE>***</TITLE></HTML>\r\n");
  EXPECT_TRUE(files().List("CorvisantDatabase\\temp", "*").empty());
  EXPECT_EQ(files().Kind("CorvisantDatabase\\temp"), PathKind::kDirectory);
}

TEST_F(PageStoreTest, PrepareStoreFailuresAreReported) {
  faulty_.FailMakeDirectory("temp", system_error::kWriteProtect);
  EXPECT_FALSE(PrepareStore());
  ASSERT_EQ(reporter_.ids(), std::vector<int>{message::kCantCreateDirectory});
  const ReportRequest& report = reporter_.reports()[0];
  EXPECT_EQ(report.keepRunning, kReportFatal);
  EXPECT_EQ(report.arguments[0].text, "temp");
  EXPECT_EQ(report.arguments[1].text, scratch_.path() + "\\CorvisantDatabase");
  EXPECT_EQ(report.arguments[2].number, system_error::kWriteProtect);
}

TEST_F(PageStoreTest, PrepareStoreReportsFilesItCannotCreate) {
  faulty_.FailOpen("entry.html");
  EXPECT_TRUE(PrepareStore());
  ASSERT_EQ(reporter_.ids(), std::vector<int>{message::kCantCreateFile});
  EXPECT_EQ(reporter_.reports()[0].keepRunning, kReportNonFatal);
  EXPECT_EQ(reporter_.reports()[0].selfCloseSeconds, kReportNeverCloses);
  EXPECT_EQ(reporter_.reports()[0].arguments[0].text, "CorvisantDatabase\\etc\\entry.html");
}

TEST_F(PageStoreTest, EnsureDirectoryReplacesAFileByADirectory) {
  ASSERT_TRUE(Write("a", "copy of a"));
  std::string path;
  bool created = false;
  EXPECT_TRUE(EnsureDirectory("", "a", false, &path, &created));
  EXPECT_EQ(path, "a");
  EXPECT_TRUE(created);
  EXPECT_EQ(files().Kind("a"), PathKind::kDirectory);
  EXPECT_TRUE(EnsureDirectory("", "a", false, &path, &created));
  EXPECT_FALSE(created);
  int error = 0;
  EXPECT_FALSE(EnsureDirectory("missing", "b", true, &path, &created, &error));
  EXPECT_EQ(path, "missing\\b");
  EXPECT_EQ(error, system_error::kPathNotFound);
  EXPECT_FALSE(EnsureDirectory("a", "b", false));
  EXPECT_EQ(files().Kind("a\\b"), PathKind::kMissing);
}

// Each copy lives under its site; names a file system would read as something else get a safe
// plain name of the store, never one outside it or in the data directory.
TEST_F(PageStoreTest, LocalCopiesLiveUnderTheirSiteWithSafeNames) {
  struct Case {
    const char* name;
    const char* path;
    const char* url;  // the web URL naming the same copy, or null
  };
  const Case cases[] = {
      {"h1/a/b.html", "h1\\a\\b.html", "http://h1/a/b.html"},
      {"h1:81/index.html", "h1$81\\index.html", "http://h1:81"},
      {"h1/q?x", "h1\\q^x", "http://h1/q?x#f"},
      {"h1/con.html", "h1\\con_.html", nullptr},
      {"h1/../../x.html", "h1\\__\\__\\x.html", nullptr},
      {"h1/a. /b.html", "h1\\a__\\b.html", nullptr},
      {"CorvisantDatabase/etc/version", "CorvisantDatabase_\\etc\\version", nullptr},
      {"/x.html", "_\\x.html", nullptr},
      {"h1/nul", "h1\\nul_", nullptr},
  };
  for (const Case& c : cases) {
    std::string path;
    StreamPtr stream = OpenLocalCopy(c.name, "wb", true, &path);
    ASSERT_NE(stream, nullptr) << c.name;
    EXPECT_TRUE(stream->WriteText("copy"));
    stream.reset();
    EXPECT_EQ(path, c.path);
    EXPECT_EQ(Read(scratch_.path() + "\\" + c.path), "copy") << c.name;
    if (c.url != nullptr) {
      EXPECT_EQ(UrlToStorePath(c.url), c.path) << "the same name both ways";
    }
  }
  EXPECT_EQ(files().Kind("CorvisantDatabase"), PathKind::kMissing);
  WalkTree(scratch_.path(), nullptr, nullptr, [this](const std::string& path) {
    EXPECT_EQ(testing::StoreNameProblem(path.substr(scratch_.path().size() + 1)), "") << path;
    return 0;
  });
  EXPECT_TRUE(reporter_.reports().empty());
}

TEST_F(PageStoreTest, AFileStandingWhereADirectoryIsNeededIsReplaced) {
  ASSERT_EQ(files().MakeDirectory("h1"), 0);
  ASSERT_TRUE(Write("h1\\a", "the copy of the path a"));
  StreamPtr stream = OpenLocalCopy("h1/a/b.html", "wb", true);
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(files().Kind("h1\\a"), PathKind::kDirectory);
}

TEST_F(PageStoreTest, LongSegmentsAreCutTo255) {
  std::string segment(300, 'd');
  std::string path;
  StreamPtr stream = OpenLocalCopy("h1/" + segment + "/" + segment, "wb", true, &path);
  ASSERT_NE(stream, nullptr);
  std::string cut(255, 'd');
  EXPECT_EQ(path, "h1\\" + cut + "\\" + cut);
  EXPECT_EQ(files().Kind("h1\\" + cut), PathKind::kDirectory);
}

TEST_F(PageStoreTest, OpeningWithoutCreationMakesNothing) {
  std::string path;
  bool isDirectory = true;
  EXPECT_EQ(OpenLocalCopy("h1/a/b.html", "rb", false, &path, &isDirectory), nullptr);
  EXPECT_EQ(path, "h1\\a\\b.html");
  EXPECT_FALSE(isDirectory);
  EXPECT_EQ(files().Kind("h1"), PathKind::kMissing);
  EXPECT_TRUE(reporter_.reports().empty()) << "nothing was to be created";
}

TEST_F(PageStoreTest, ADirectoryThatCannotBeMadeIsReportedAndTheOpenFails) {
  faulty_.FailMakeDirectory("h1\\a", system_error::kAccessDenied);
  EXPECT_EQ(OpenLocalCopy("h1/a/b/c.html", "wb", true), nullptr);
  std::vector<int> ids = reporter_.ids();
  ASSERT_FALSE(ids.empty());
  EXPECT_EQ(ids[0], message::kCantCreateDirectory);
  const ReportRequest& report = reporter_.reports()[0];
  EXPECT_EQ(report.keepRunning, kReportNonFatal);
  EXPECT_EQ(report.arguments[0].text, "a");
  EXPECT_EQ(report.arguments[1].text, "h1");
  EXPECT_EQ(report.arguments[2].number, system_error::kAccessDenied);
}

TEST_F(PageStoreTest, FindStoredCopy) {
  std::string path;
  EXPECT_EQ(FindStoredCopy("h1/a/b.html", &path), kNoStoredCopy);
  EXPECT_EQ(path, "h1\\a\\b.html");
  EXPECT_EQ(files().Kind("h1\\a"), PathKind::kDirectory) << "directories are made on the way";
  ASSERT_TRUE(Write("h1\\a\\b.html", "<p>"));
  EXPECT_EQ(FindStoredCopy("h1/a/b.html", &path), kStoredCopyFound);
  EXPECT_TRUE(FileOpensForUpdate(path));
  EXPECT_EQ(FindStoredCopy("h1/a", &path), kStoredCopyIsDirectory);
  EXPECT_EQ(path, "h1\\a");
  EXPECT_FALSE(FileOpensForUpdate("h1\\missing.html"));
}

TEST_F(PageStoreTest, HostileNamesNeverLeaveTheStore) {
  testing::NameRecordingFiles recorder;
  Ports ports = CurrentPorts();
  ports.files = &recorder;
  Ports outer = InstallPorts(ports);
  for (std::string url :
       {"http://h1/../../../etc/x", "http://h1\\..\\..\\x/y", "http://../../x", "ftp:///etc/x",
        "http://C:\\Windows/system32/x.dll", "http://CorvisantDatabase/etc/preferences",
        "http://corvis~1/etc/x", "http://h1/con/aux.html", "http://h1/a%2e%2e/x",
        "file:///C|/Windows/x", "http://h1/a. /b.", "http://h1//x"}) {
    PercentDecode(url);
    std::string normalised = NormaliseUrlForStore(url, nullptr, false);
    std::size_t colon = normalised.find(':');
    std::string name = normalised.substr(colon == std::string::npos ? 0 : colon + 1);
    for (const std::string& relative : {name, name.substr(name.find_first_not_of('/'))}) {
      recorder.Forget();
      OpenLocalCopy(relative, "wb", true);
      EnsureDirectoriesFor(relative);
      for (const std::string& path : recorder.changed()) {
        EXPECT_EQ(testing::StoreNameProblem(path), "") << url << " wrote " << path;
      }
    }
  }
  InstallPorts(outer);
}

TEST_F(PageStoreTest, EnsureDirectoriesForGivesTheSafePath) {
  EXPECT_EQ(EnsureDirectoriesFor("h1\\img\\a.gif"), "h1\\img\\a.gif");
  EXPECT_EQ(files().Kind("h1\\img"), PathKind::kDirectory);
  EXPECT_EQ(files().Kind("h1\\img\\a.gif"), PathKind::kMissing);
  EXPECT_EQ(EnsureDirectoriesFor("h1\\..\\..\\b.gif"), "h1\\__\\__\\b.gif");
  EXPECT_EQ(files().Kind("h1\\__\\__"), PathKind::kDirectory);
}

TEST_F(PageStoreTest, TempNamesAreNewAndNothingIsCreated) {
  ASSERT_TRUE(PrepareStore());
  ASSERT_TRUE(Write("CorvisantDatabase\\temp\\00005", "taken"));
  EXPECT_EQ(NewTempFileName(), "CorvisantDatabase\\temp\\00007");
  EXPECT_EQ(random_.drawCount(), 3);
  EXPECT_EQ(files().Kind("CorvisantDatabase\\temp\\00007"), PathKind::kMissing);
}

TEST_F(PageStoreTest, TempNamesGiveUpWhenEveryNumberIsTaken) {
  ASSERT_TRUE(PrepareStore());
  testing::ScriptedRandom stuck{5};
  Ports ports = CurrentPorts();
  ports.random = &stuck;
  Ports outer = InstallPorts(ports);
  ASSERT_TRUE(Write("CorvisantDatabase\\temp\\00005", "taken"));
  EXPECT_EQ(NewTempFileName(), "");
  InstallPorts(outer);
}

TEST_F(PageStoreTest, WalksVisitEveryFile) {
  MakeTree();
  std::vector<std::string> names;
  EXPECT_EQ(ForEachFile("top", "html",
                        [&names](const std::string& name) {
                          names.push_back(name);
                          return 0;
                        }),
            0);
  EXPECT_EQ(names, std::vector<std::string>{"a.html"});
  EXPECT_EQ(ForEachFile("nowhere", "html", [](const std::string&) { return 0; }), 1);
  EXPECT_EQ(ForEachFile("top", "*", [](const std::string&) { return 9; }), 9);

  std::vector<std::string> events;
  auto note = [&events](const char* what) {
    return [&events, what](const std::string& path) {
      events.push_back(what + path);
      return 0;
    };
  };
  EXPECT_EQ(WalkTree("top", note("enter "), note("leave "), note("file ")), 0);
  std::sort(events.begin(), events.end());
  EXPECT_EQ(events,
            (std::vector<std::string>{"enter top\\sub", "file top\\a.html", "file top\\b.gif",
                                      "file top\\sub\\c.html", "leave top\\sub"}));
  EXPECT_EQ(WalkTree("nowhere", nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(WalkTree("top", nullptr, nullptr, [](const std::string&) { return 4; }), 4);
}

TEST_F(PageStoreTest, RelativeWalkHandsEachDirectoryItsState) {
  MakeTree();
  std::vector<std::string> seen;
  WalkState next = 100;
  int result = WalkTreeRelative(
      "", "top",
      [&](const std::string& name, WalkState state, WalkState* directoryState) {
        *directoryState = next++;
        seen.push_back("dir " + name + " " + std::to_string(state));
        return 0;
      },
      [&](const std::string& directory, const std::string& file, WalkState state) {
        seen.push_back("file " + directory + " " + file + " " + std::to_string(state));
        return 0;
      },
      7);
  EXPECT_EQ(result, 0);
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<std::string>{"dir sub 100", "dir top 7", "file top a.html 100",
                                            "file top b.gif 100", "file top\\sub c.html 101"}));
  EXPECT_EQ(WalkTreeRelative("", "nowhere", nullptr, nullptr, 0), -1);
  EXPECT_EQ(WalkTreeRelative(
                "", "top", [](const std::string&, WalkState, WalkState*) { return 3; }, nullptr, 0),
            3);
}

TEST_F(PageStoreTest, WholeFiles) {
  ASSERT_TRUE(Write("f", std::string("ab\0cd", 5)));
  std::string contents;
  EXPECT_TRUE(ReadWholeFile("f", &contents));
  EXPECT_EQ(contents, std::string("ab\0cd", 5));
  EXPECT_EQ(contents.c_str()[5], '\0');
  EXPECT_FALSE(ReadWholeFile("missing", &contents));

  EXPECT_TRUE(TruncateFile("f", 2));
  EXPECT_EQ(Read("f"), "ab");
  EXPECT_FALSE(TruncateFile("missing", 0));

  FileFacts facts;
  ASSERT_TRUE(files().Facts("f", &facts));
  EXPECT_EQ(FileModificationTime("f"), facts.modified);
  EXPECT_EQ(FileModificationTime("missing"), 0);
}

TEST_F(PageStoreTest, MoveFileByCopy) {
  std::string big(3 * kCopyBlockSize + 17, 'x');
  ASSERT_TRUE(Write("source", big));
  ASSERT_TRUE(Write("target", "old"));
  MoveFileByCopy("source", "target");
  EXPECT_TRUE(Read("target") == big) << Read("target").size();
  EXPECT_EQ(files().Kind("source"), PathKind::kMissing);

  MoveFileByCopy("missing", "target");
  EXPECT_TRUE(Read("target") == big) << "nothing happens without a source";

  ASSERT_TRUE(Write("source", "data"));
  faulty_.FailOpen("blocked");
  MoveFileByCopy("source", "blocked");
  ASSERT_EQ(reporter_.ids(), std::vector<int>{message::kCantCreateFile});
  EXPECT_EQ(reporter_.reports()[0].selfCloseSeconds, kReportClosesAfter5s);
  EXPECT_EQ(reporter_.reports()[0].arguments[0].text, "blocked");
  EXPECT_EQ(Read("source"), "data") << "the source is kept when it could not be copied";
}

TEST_F(PageStoreTest, FreeSpaceWarning) {
  struct Case {
    std::uint64_t bytes;
    const char* shown;  // null: no warning
  };
  const Case cases[] = {
      {2621440, "  2.5"},  // 2.5 MB
      {3145728, nullptr},  // 3.0 MB
      {3145727, "  3.0"},
      {0, "  0.0"},
  };
  for (const Case& c : cases) {
    testing::RecordingReporter reporter;
    faulty_.SetFreeDiskBytes(c.bytes);
    CheckFreeSpace();
    if (c.shown == nullptr) {
      EXPECT_TRUE(reporter.reports().empty()) << c.bytes;
      continue;
    }
    ASSERT_EQ(reporter.ids(), std::vector<int>{message::kLowDiskSpace});
    EXPECT_EQ(reporter.reports()[0].keepRunning, kReportNonFatal);
    EXPECT_EQ(reporter.reports()[0].arguments[0].text, c.shown);
  }
  faulty_.SetFreeDiskBytes(std::nullopt);
  CheckFreeSpace();
  ASSERT_EQ(reporter_.ids(), std::vector<int>{message::kCantCheckFreeSpace});
  EXPECT_EQ(reporter_.reports()[0].keepRunning, kReportFatal);
}

}  // namespace
}  // namespace corvisant
