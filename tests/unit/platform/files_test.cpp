#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"

namespace corvisant {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  Files& files_ = *SystemPorts().files;
  testing::ScratchDirectory scratch_{files_};
};

TEST_F(FilesTest, CurrentDirectoryIsAWindowsPathOnTheZDrive) {
  std::string here = files_.CurrentDirectory();
  EXPECT_EQ(here, scratch_.path());
  EXPECT_EQ(here.substr(0, 3), "Z:\\");
  EXPECT_EQ(here.find('/'), std::string::npos);
}

TEST_F(FilesTest, RelativeWindowsPathsNameFilesUnderTheWorkingDirectory) {
  ASSERT_EQ(files_.MakeDirectory("CorvisantDatabase"), 0);
  ASSERT_EQ(files_.MakeDirectory("CorvisantDatabase\\etc"), 0);
  ASSERT_TRUE(testing::WriteBytes(files_, "CorvisantDatabase\\etc\\version", "1.02"));
  std::string full = scratch_.path() + "\\CorvisantDatabase\\etc\\version";
  EXPECT_EQ(testing::ReadBytes(files_, full), "1.02");
  FileFacts facts;
  ASSERT_TRUE(files_.Facts(full, &facts));
  EXPECT_EQ(facts.size, 4);
  EXPECT_FALSE(facts.isDirectory);
}

TEST_F(FilesTest, MakeDirectoryGivesTheSystemErrorCodes) {
  EXPECT_EQ(files_.MakeDirectory("temp"), system_error::kNone);
  EXPECT_EQ(files_.MakeDirectory("temp"), system_error::kAlreadyExists);
  EXPECT_EQ(files_.MakeDirectory("missing\\temp"), system_error::kPathNotFound);
}

TEST_F(FilesTest, KindsAndRemoval) {
  ASSERT_EQ(files_.MakeDirectory("site"), 0);
  ASSERT_TRUE(testing::WriteBytes(files_, "site\\index.html", "<p>"));
  EXPECT_EQ(files_.Kind("site"), PathKind::kDirectory);
  EXPECT_EQ(files_.Kind("site\\index.html"), PathKind::kFile);
  EXPECT_EQ(files_.Kind("site\\gone.html"), PathKind::kMissing);

  EXPECT_FALSE(files_.RemoveFile("site")) << "RemoveFile never takes a directory";
  EXPECT_FALSE(files_.RemoveEmptyDirectory("site")) << "the directory is not empty";
  EXPECT_EQ(files_.Open("site", "rb"), nullptr) << "a directory is no stream";
  EXPECT_TRUE(files_.RemoveFile("site\\index.html"));
  EXPECT_FALSE(files_.RemoveFile("site\\index.html"));
  EXPECT_TRUE(files_.RemoveEmptyDirectory("site"));
  EXPECT_EQ(files_.Kind("site"), PathKind::kMissing);
}

TEST_F(FilesTest, ListMatchesThePatternWithoutDotEntries) {
  ASSERT_EQ(files_.MakeDirectory("Media"), 0);
  for (const char* name : {"Chimes.wav", "ding.WAV", "notes.txt", "wav"}) {
    ASSERT_TRUE(testing::WriteBytes(files_, std::string("Media\\") + name, "RIFF"));
  }
  ASSERT_EQ(files_.MakeDirectory("Media\\sub.wav"), 0);
  std::vector<std::string> names;
  for (const DirectoryEntry& entry : files_.List("Media", "*.wav")) {
    names.push_back(entry.name + (entry.isDirectory ? "/" : ""));
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Chimes.wav", "ding.WAV", "sub.wav/"}));
  EXPECT_EQ(files_.List("Media", "*").size(), 5u);
  EXPECT_TRUE(files_.List("NoSuchDirectory", "*").empty());
}

TEST_F(FilesTest, FreeDiskSpaceIsKnown) {
  std::uint64_t bytes = 0;
  EXPECT_TRUE(files_.FreeDiskBytes(scratch_.path(), &bytes));
  EXPECT_GT(bytes, 0u);
}

TEST(Wildcard, MatchesAsTheFileSearchDoes) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  };
  for (Case c : {Case{"Chimes.wav", "*.wav", true}, Case{"CHIMES.WAV", "*.wav", true},
                 Case{"chimes.wave", "*.wav", false}, Case{"a.wav.txt", "*.wav", false},
                 Case{"x", "*", true}, Case{"", "*", true}, Case{"tmp1", "tmp?", true},
                 Case{"tmp", "tmp?", false}, Case{"aXbXc", "a*b*c", true},
                 Case{"abc", "a*d", false}, Case{"HistoryURL.0001", "HistoryURL.*", true}}) {
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
  }
}

}  // namespace
}  // namespace corvisant
