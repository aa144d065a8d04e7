#include "url/page_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/faulty_files.h"
#include "tests/support/scripted_random.h"
#include "tests/support/test_process.h"
#include "url/url.h"

namespace corvisant {
namespace {

constexpr const char* kEntryBytes = "<HTML>\r\n<TITLE>***</TITLE></HTML>\r\n";

// A fresh store root without the data directories, on a files port that fails as a test arms it.
class PageStoreTest : public ::testing::Test {
 protected:
  static testing::TestProcessOptions Options(Files* files, Random* random) {
    testing::TestProcessOptions options;
    options.files = files;
    options.random = random;
    options.makeDataDirectories = false;
    return options;
  }
  Files& files() { return process_.files(); }
  // What stands at each path: "d" a directory, "f" a file, "-" nothing.
  std::string Kinds(std::initializer_list<std::string> paths) {
    std::string kinds;
    for (const std::string& path : paths) kinds += "-fd"[static_cast<int>(files().Kind(path))];
    return kinds;
  }

  testing::FaultyFiles faulty_{*SystemPorts().files};
  testing::ScriptedRandom random_{5, 5, 7};
  testing::TestProcess process_{Options(&faulty_, &random_)};
};

std::string Sorted(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  std::string joined;
  for (const std::string& line : lines) joined += line + "|";
  return joined;
}

TEST_F(PageStoreTest, PrepareStoreMakesAndRefreshesTheDataDirectoriesAndTempNamesAreNew) {
  SetStoreRoot("C:\\elsewhere");
  ASSERT_EQ(PrepareStore(), StorePreparation::kReady);
  EXPECT_EQ(StoreRoot(), process_.root()) << "the working directory";
  EXPECT_EQ(Kinds({"CorvisantDatabase", "CorvisantDatabase\\hotlist", "CorvisantDatabase\\history",
                   "CorvisantDatabase\\etc", "CorvisantDatabase\\temp"}),
            "ddddd");
  EXPECT_EQ(process_.Read("CorvisantDatabase\\etc\\version"), "1.02");
  EXPECT_EQ(process_.Read("CorvisantDatabase\\etc\\entry.html"), kEntryBytes);
  EXPECT_EQ(random_.seed(), static_cast<unsigned>(testing::kTestTime));

  // Again over an existing store: the version is kept, the entry rewritten, temp emptied.
  ASSERT_TRUE(process_.Write("CorvisantDatabase\\etc\\version", "0.99"));
  ASSERT_TRUE(process_.Write("CorvisantDatabase\\etc\\entry.html", "old"));
  ASSERT_EQ(files().MakeDirectory("CorvisantDatabase\\temp\\sub"), 0);
  ASSERT_TRUE(process_.Write("CorvisantDatabase\\temp\\sub\\12345", "x"));
  ASSERT_TRUE(process_.Write("CorvisantDatabase\\temp\\00001", "x"));
  ASSERT_TRUE(process_.Write("CorvisantDatabase\\etc\\preferences.01234~new", "left"));
  ASSERT_EQ(PrepareStore(), StorePreparation::kReady);
  EXPECT_EQ(Kinds({"CorvisantDatabase\\etc\\preferences.01234~new"}), "-") << "swept";
  EXPECT_EQ(process_.Read("CorvisantDatabase\\etc\\version"), "0.99");
  EXPECT_EQ(process_.Read("CorvisantDatabase\\etc\\entry.html"), kEntryBytes);
  EXPECT_TRUE(files().List("CorvisantDatabase\\temp", "*").empty());
  EXPECT_EQ(Kinds({"CorvisantDatabase\\temp"}), "d");
  EXPECT_EQ(process_.reporter.Lines(), "");

  // Temporary names are new ones, and nothing is created.
  ASSERT_TRUE(process_.Write("CorvisantDatabase\\temp\\00005", "taken"));
  int draws = random_.drawCount();
  EXPECT_EQ(NewTempFileName(), "CorvisantDatabase\\temp\\00007");
  EXPECT_EQ(random_.drawCount() - draws, 3);
  EXPECT_EQ(Kinds({"CorvisantDatabase\\temp\\00007"}), "-");
  testing::ScriptedRandom stuck{5};
  Installed<Random> stuckRandom(&stuck);
  EXPECT_EQ(NewTempFileName(), "") << "every number drawn is taken";
}

// A directory that cannot be made is fatal; a file that cannot be written whole is reported, said
// and passed, and the old file stays.
TEST_F(PageStoreTest, PrepareStoreReportsWhatItCannotMake) {
  faulty_.FailMakeDirectory("temp", system_error::kWriteProtect);
  EXPECT_EQ(PrepareStore(), StorePreparation::kDirectoryMissing);
  faulty_.FailMakeDirectory("none", 0);  // disarmed
  ASSERT_TRUE(process_.Write("CorvisantDatabase\\etc\\entry.html", "old"));
  faulty_.FailWrites("entry.html", 1);
  EXPECT_EQ(PrepareStore(), StorePreparation::kFileNotWritten);
  EXPECT_EQ(process_.Read("CorvisantDatabase\\etc\\entry.html"), "old");
  EXPECT_EQ(process_.reporter.Lines(),
            "40011 0 0 \"temp\" \"" + process_.root() +
                "\\CorvisantDatabase\" 19\n40005 1 0 \"CorvisantDatabase\\etc\\entry.html\"\n");
}

// The directories of a copy: a stored page standing where one is needed is replaced; a file
// directly in the store root (the program, a list) or of the data directory is not.
TEST_F(PageStoreTest, DirectoriesOnTheWayAndStoredCopies) {
  ASSERT_EQ(files().MakeDirectory("h0"), 0);
  ASSERT_TRUE(process_.Write("h0\\a", "copy of a"));
  std::string path;
  bool created = false;
  int error = 0;
  EXPECT_TRUE(EnsureDirectory("h0", "a", false, &path, &created) && path == "h0\\a" && created);
  EXPECT_TRUE(EnsureDirectory("h0", "a", false, &path, &created) && !created) << "made already";
  EXPECT_FALSE(EnsureDirectory("missing", "b", true, &path, &created, &error));
  EXPECT_TRUE(path == "missing\\b" && error == system_error::kPathNotFound) << path << error;
  faulty_.RaceMakeDirectory("raced");
  EXPECT_TRUE(EnsureDirectory("h0", "raced", true, &path, &created, &error) && error == 0);
  ASSERT_EQ(PrepareStore(), StorePreparation::kReady);
  for (const char* kept : {"Corvisant.exe", "CorvisantDatabase\\etc\\version"}) {
    ASSERT_TRUE(process_.Write(kept, "kept"));
    std::string_view name(kept);
    std::size_t slash = name.rfind('\\');
    std::string parent(slash == std::string_view::npos ? "" : name.substr(0, slash));
    EXPECT_FALSE(EnsureDirectory(parent, name.substr(slash + 1), true, &path, &created, &error));
    EXPECT_EQ(process_.Read(kept) + " " + std::to_string(error), "kept 183") << kept;
  }
  EXPECT_FALSE(EnsureDirectory("h0\\a", "b", false));
  ASSERT_TRUE(process_.Write("h0\\a\\c", "the copy of the path a/c"));
  ASSERT_NE(OpenLocalCopy("h0/a/c/b.html", "wb", true), nullptr);
  EXPECT_EQ(Kinds({"h0\\a", "h0\\a\\b", "h0\\a\\c", "h0\\a\\c\\b.html"}), "d-df");

  EXPECT_EQ(FindStoredCopy("h1/a/b.html", &path), kNoStoredCopy);
  EXPECT_EQ(path, "h1\\a\\b.html");
  EXPECT_EQ(Kinds({"h1\\a"}), "d") << "directories are made on the way";
  ASSERT_TRUE(process_.Write("h1\\a\\b.html", "<p>"));
  EXPECT_EQ(FindStoredCopy("h1/a/b.html", &path), kStoredCopyFound);
  EXPECT_TRUE(FindStoredCopy("h1/a", &path) == kStoredCopyIsDirectory && path == "h1\\a") << path;
  EXPECT_TRUE(FileOpensForUpdate("h1\\a\\b.html") && !FileOpensForUpdate("h1\\missing.html"));

  EXPECT_EQ(EnsureDirectoriesFor("h1\\img\\a.gif"), "h1\\img\\a.gif");
  EXPECT_EQ(EnsureDirectoriesFor("h1\\..\\..\\b.gif"), "h1\\__\\__\\b.gif");
  EXPECT_EQ(Kinds({"h1\\img", "h1\\img\\a.gif", "h1\\__\\__"}), "d-d");
}

// Each copy lives under its site, by the name the copy's URL maps to; names a file system would
// read as something else get a safe plain name of the store.
TEST_F(PageStoreTest, LocalCopiesLiveUnderTheirSiteByTheNamesOfTheirUrls) {
  struct Case {
    const char* name;
    const char* path;
    const char* url;
  };
  const Case cases[] = {{"h1/a/b.html", "h1\\a\\b.html", "http://h1/a/b.html"},
                        {"h1:81/index.html", "h1$81\\index.html", "http://h1:81"},
                        {"h1/q?x", "h1\\q^x", "http://h1/q?x#f"},
                        {"h1/con.html", "h1\\con_.html", "http://h1/con.html"},
                        {"h1/q^/../x", "h1\\q^\\__\\x", "http://h1/q?/../x"}};
  for (const Case& c : cases) {
    std::string path;
    EXPECT_NE(OpenLocalCopy(c.name, "wb", true, &path), nullptr) << c.name;
    EXPECT_EQ(path + " " + Kinds({c.path}), std::string(c.path) + " f") << "made there";
    EXPECT_EQ(UrlToStorePath(c.url), c.path) << "the same name both ways";
  }
  EXPECT_EQ(process_.reporter.Lines(), "");

  // Without creation nothing is made; the first directory that cannot be made is reported, and
  // nothing is tried below it.
  bool isDirectory = true;
  std::string path;
  EXPECT_EQ(OpenLocalCopy("h2/a/b.html", "rb", false, &path, &isDirectory), nullptr);
  EXPECT_EQ(path + " " + std::to_string(isDirectory) + " " + Kinds({"h2"}), "h2\\a\\b.html 0 -");
  EXPECT_EQ(process_.reporter.Lines(), "");
  faulty_.FailMakeDirectory("h2\\a", system_error::kAccessDenied);
  EXPECT_EQ(OpenLocalCopy("h2/a/b/c.html", "wb", true), nullptr);
  EXPECT_EQ(process_.reporter.Lines(), "40011 1 0 \"a\" \"h2\" 5\n");
}

// A link inside the store, wherever it leads, is neither entered nor written through. (Native:
// the Windows build checks junctions by hand.)
TEST_F(PageStoreTest, LinksInTheStoreAreNotFollowed) {
  namespace fs = std::filesystem;
  ASSERT_EQ(files().MakeDirectory("outside"), 0);
  ASSERT_TRUE(process_.Write("outside\\x.html", "outside"));
  ASSERT_EQ(files().MakeDirectory("h3"), 0);
  std::error_code made;
  fs::create_directory_symlink(fs::absolute("outside"), "h1", made);
  if (made) GTEST_SKIP() << "no symbolic links here: " << made.message();
  fs::create_symlink(fs::absolute("outside/x.html"), "h3/x.html", made);
  std::string path;
  for (const char* name : {"h1/x.html", "h1/a/b.html", "h3/x.html"}) {
    EXPECT_EQ(OpenLocalCopy(name, "wb", true), nullptr) << name;
    EXPECT_EQ(FindStoredCopy(name, &path), kNoStoredCopy) << name;
  }
  EXPECT_EQ(process_.Read("outside\\x.html"), "outside");
  EXPECT_EQ(Kinds({"outside\\a"}), "-");
  fs::remove("h1");
  fs::remove("h3/x.html");
}

TEST_F(PageStoreTest, WalksVisitEveryFileAndStopAtANonZeroResult) {
  ASSERT_EQ(files().MakeDirectory("top"), 0);
  ASSERT_EQ(files().MakeDirectory("top\\sub"), 0);
  for (const char* file : {"top\\a.html", "top\\b.gif", "top\\sub\\c.html"}) {
    ASSERT_TRUE(process_.Write(file, "x"));
  }
  std::vector<std::string> seen;
  auto note = [&seen](const char* what) {
    return [&seen, what](const std::string& path) {
      seen.push_back(what + path);
      return 0;
    };
  };
  auto stop = [](const std::string&) { return 4; };
  EXPECT_EQ(ForEachFile("top", "html", note("each ")), 0);
  EXPECT_EQ(ForEachFile("nowhere", "html", note("each ")), 1);
  EXPECT_EQ(ForEachFile("top", "*", stop), 4);
  EXPECT_EQ(WalkTree("top", note("enter "), note("leave "), note("file ")), 0);
  EXPECT_EQ(WalkTree("nowhere", nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(WalkTree("top", nullptr, nullptr, stop), 4);
  EXPECT_EQ(Sorted(seen),
            "each a.html|enter top\\sub|file top\\a.html|file top\\b.gif|file top\\sub\\c.html|"
            "leave top\\sub|");

  seen.clear();
  WalkState next = 100;
  auto onDirectory = [&](const std::string& name, WalkState state, WalkState* directoryState) {
    *directoryState = next++;
    seen.push_back("dir " + name + " " + std::to_string(state));
    return 0;
  };
  auto onFile = [&](const std::string& directory, const std::string& file, WalkState state) {
    seen.push_back("file " + directory + " " + file + " " + std::to_string(state));
    return 0;
  };
  EXPECT_EQ(WalkTreeRelative("", "top", onDirectory, onFile, 7), 0);
  EXPECT_EQ(
      Sorted(seen),
      "dir sub 100|dir top 7|file top a.html 100|file top b.gif 100|file top\\sub c.html 101|");
  EXPECT_EQ(WalkTreeRelative("", "nowhere", nullptr, nullptr, 0), -1);
  auto stopAtDirectory = [](const std::string&, WalkState, WalkState*) { return 3; };
  EXPECT_EQ(WalkTreeRelative("", "top", stopAtDirectory, nullptr, 0), 3);
}

TEST_F(PageStoreTest, WholeFiles) {
  ASSERT_TRUE(process_.Write("f", std::string("ab\0cd", 5)));
  std::string contents;
  EXPECT_TRUE(ReadWholeFile("f", &contents));
  EXPECT_EQ(contents, std::string("ab\0cd", 5));
  EXPECT_EQ(contents.c_str()[5], '\0');
  EXPECT_TRUE(TruncateFile("f", 2));
  EXPECT_EQ(process_.Read("f"), "ab");
  EXPECT_FALSE(ReadWholeFile("missing", &contents) || TruncateFile("missing", 0));
  FileFacts facts;
  ASSERT_TRUE(files().Facts("f", &facts));
  EXPECT_EQ(FileModificationTime("f"), facts.modified);
  EXPECT_EQ(FileModificationTime("missing"), 0);

  std::string big(3 * kCopyBlockSize + 17, 'x');
  ASSERT_TRUE(process_.Write("source", big));
  MoveFileByCopy("source", "f");
  EXPECT_EQ(Kinds({"source"}), "-");
  EXPECT_TRUE(process_.Read("f") == big) << process_.Read("f").size();
  MoveFileByCopy("source", "f");
  EXPECT_TRUE(process_.Read("f") == big) << "nothing happens without a source";
  ASSERT_TRUE(process_.Write("source", "data"));
  faulty_.FailOpen("blocked");
  MoveFileByCopy("source", "blocked");
  EXPECT_EQ(process_.reporter.Lines(), "40005 1 5 \"blocked\"\n");
  EXPECT_EQ(process_.Read("source"), "data") << "the source is kept when it could not be copied";
}

// Under 3.0 MB free the user is warned with the megabytes as "%5.1f"; not knowing is fatal.
TEST_F(PageStoreTest, FreeSpaceWarning) {
  for (std::uint64_t bytes : {2621440, 3145728, 3145727, 0}) {
    faulty_.SetFreeDiskBytes(bytes);
    CheckFreeSpace();
  }
  faulty_.SetFreeDiskBytes(std::nullopt);
  CheckFreeSpace();
  EXPECT_EQ(process_.reporter.Lines(),
            "40023 1 0 \"  2.5\"\n40023 1 0 \"  3.0\"\n40023 1 0 \"  0.0\"\n40022 0 0\n");
}

}  // namespace
}  // namespace corvisant
