// The system's files port and its streams: Windows-form paths, the system's error codes and
// text-mode line ends that give the same bytes on both platforms.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file_stream.h"
#include "tests/support/test_process.h"

namespace corvisant {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  testing::TestProcess process_;
  Files& files_ = process_.files();
};

TEST_F(FilesTest, WindowsPathsOnTheZDriveErrorCodesAndListing) {
  const std::string here = files_.CurrentDirectory();
  EXPECT_TRUE(here.rfind("Z:\\", 0) == 0 && here.find('/') == std::string::npos) << here;
  EXPECT_EQ(files_.MakeDirectory("site"), system_error::kNone);
  EXPECT_EQ(files_.MakeDirectory("site"), system_error::kAlreadyExists);
  EXPECT_EQ(files_.MakeDirectory("missing\\site"), system_error::kPathNotFound);
  ASSERT_TRUE(process_.Write("site\\index.html", "1.02"));
  FileFacts facts;
  ASSERT_TRUE(files_.Facts(here + "\\site\\index.html", &facts));
  EXPECT_EQ(facts.size, 4);
  EXPECT_FALSE(facts.isDirectory);
  std::uint64_t freeBytes = 0;
  EXPECT_TRUE(files_.FreeDiskBytes(here, &freeBytes) && freeBytes > 0);

  EXPECT_FALSE(files_.RemoveFile("site")) << "RemoveFile never takes a directory";
  EXPECT_FALSE(files_.RemoveEmptyDirectory("site")) << "the directory is not empty";
  EXPECT_EQ(files_.Open("site", "rb"), nullptr) << "a directory is no stream";
  EXPECT_TRUE(files_.RemoveFile("site\\index.html"));
  EXPECT_FALSE(files_.RemoveFile("site\\index.html"));
  EXPECT_TRUE(files_.RemoveEmptyDirectory("site"));
  EXPECT_EQ(files_.Kind("site"), PathKind::kMissing);

  // List matches the pattern as the file search does, without "." entries.
  ASSERT_EQ(files_.MakeDirectory("Media"), 0);
  for (const char* name : {"Chimes.wav", "ding.WAV", "notes.txt", "wav"}) {
    ASSERT_TRUE(process_.Write(std::string("Media\\") + name, "RIFF"));
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

// Writes in text mode put "\r\n" for "\n" (also through Print), appends go after the end.
TEST_F(FilesTest, TextModeLineEnds) {
  struct Case {
    const char* mode;
    const char* before;
    const char* bytes;
  };
  for (Case c : {Case{"w", "old", "<HTML>\r\n\r\n<BODY>entries 2\r\n"},
                 Case{"at+", "head\r\n", "head\r\n<HTML>\r\n\r\n<BODY>entries 2\r\n"}}) {
    ASSERT_TRUE(process_.Write("export.html", c.before));
    StreamPtr stream = files_.Open("export.html", c.mode);
    ASSERT_TRUE(stream) << c.mode;
    EXPECT_TRUE(stream->WriteText("<HTML>\n\n<BODY>"));
    EXPECT_TRUE(stream->Print("%s %d\n", "entries", 2));
    ASSERT_TRUE(stream->Close());
    EXPECT_EQ(process_.Read("export.html"), c.bytes) << c.mode;
  }
  // Reads give "\n" for "\r\n" only, and stop at a Ctrl-Z.
  struct Read {
    const char* bytes;
    const char* text;
  };
  for (Read c : {Read{"a\r\nb\r\n", "a\nb\n"}, Read{"lone\rcr", "lone\rcr"}, Read{"end\r", "end\r"},
                 Read{"stop\x1Ahidden", "stop"}, Read{"\n\r\n\r\r\n", "\n\n\r\n"}}) {
    ASSERT_TRUE(process_.Write("preferences", c.bytes));
    StreamPtr stream = files_.Open("preferences", "rt");
    ASSERT_TRUE(stream);
    char buffer[64];
    std::size_t count = stream->Read(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, count), c.text) << c.bytes;
  }
  ASSERT_TRUE(process_.Write("schedules", "first\r\nsecond line\r\nlast"));
  StreamPtr stream = files_.Open("schedules", "rt");
  ASSERT_TRUE(stream);
  char line[8];
  std::string pieces;
  while (stream->GetLine(line, sizeof line) != nullptr) pieces += std::string(line) + "|";
  EXPECT_EQ(pieces, "first\n|second |line\n|last|") << "each line end and the buffer end";
}

TEST_F(FilesTest, BinaryModeKeepsEveryByte) {
  std::string bytes("a\r\nb\n\x1A\0z", 8);
  StreamPtr stream = files_.Open("HistoryIndex", "wb+");
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->Write(bytes.data(), bytes.size()), bytes.size());
  EXPECT_TRUE(stream->Tell() == 8 && stream->Size() == 8) << stream->Tell();
  ASSERT_TRUE(stream->Seek(2, SeekFrom::kStart));
  char two[2];
  EXPECT_EQ(stream->Read(two, 2), 2u);
  EXPECT_EQ(std::string(two, 2), "\nb");
  EXPECT_TRUE(stream->Sync());
  stream->Close();
  EXPECT_EQ(process_.Read("HistoryIndex"), bytes);

  stream = files_.Open("HistoryIndex", "rb");
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->ErrorFlag(), 0);
  EXPECT_EQ(stream->Write("y", 1), 0u) << "a read-only stream takes no byte";
  EXPECT_EQ(stream->ErrorFlag(), kStreamErrorFlag);
  stream->ClearError();
  EXPECT_EQ(stream->ErrorFlag(), 0);
}

}  // namespace
}  // namespace corvisant
