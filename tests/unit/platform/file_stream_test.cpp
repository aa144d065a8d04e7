#include "platform/file_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"

namespace corvisant {
namespace {

class FileStreamTest : public ::testing::Test {
 protected:
  Files& files_ = *SystemPorts().files;
  testing::ScratchDirectory scratch_{files_};
};

TEST_F(FileStreamTest, TextModeWritesCarriageReturnLineFeed) {
  for (const char* mode : {"wt", "w"}) {
    StreamPtr stream = files_.Open("export.html", mode);
    ASSERT_TRUE(stream) << mode;
    EXPECT_TRUE(stream->WriteText("<HTML>\n\n<BODY>"));
    EXPECT_TRUE(stream->Print("%s %d\n", "entries", 2));
    ASSERT_TRUE(stream->Close());
    EXPECT_EQ(testing::ReadBytes(files_, "export.html"), "<HTML>\r\n\r\n<BODY>entries 2\r\n")
        << mode;
  }
}

TEST_F(FileStreamTest, TextModeAppendsAfterTheEnd) {
  ASSERT_TRUE(testing::WriteBytes(files_, "hotlist", "head\r\n"));
  StreamPtr stream = files_.Open("hotlist", "at+");
  ASSERT_TRUE(stream);
  EXPECT_TRUE(stream->WriteText("entry\n"));
  stream->Close();
  EXPECT_EQ(testing::ReadBytes(files_, "hotlist"), "head\r\nentry\r\n");
}

TEST_F(FileStreamTest, TextModeReadsLineEndsBack) {
  struct Case {
    const char* bytes;
    const char* text;
  };
  for (Case c : {Case{"a\r\nb\r\n", "a\nb\n"}, Case{"lone\rcr", "lone\rcr"}, Case{"end\r", "end\r"},
                 Case{"stop\x1Ahidden", "stop"}, Case{"\n\r\n\r\r\n", "\n\n\r\n"}}) {
    ASSERT_TRUE(testing::WriteBytes(files_, "preferences", c.bytes));
    StreamPtr stream = files_.Open("preferences", "rt");
    ASSERT_TRUE(stream);
    char buffer[64];
    std::size_t count = stream->Read(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, count), c.text) << c.bytes;
  }
}

TEST_F(FileStreamTest, GetLineStopsAfterEachLineEnd) {
  ASSERT_TRUE(testing::WriteBytes(files_, "schedules", "first\r\nsecond line\r\nlast"));
  StreamPtr stream = files_.Open("schedules", "rt");
  ASSERT_TRUE(stream);
  char line[8];
  std::vector<std::string> pieces;
  while (stream->GetLine(line, sizeof line) != nullptr) pieces.emplace_back(line);
  EXPECT_EQ(pieces, (std::vector<std::string>{"first\n", "second ", "line\n", "last"}));
}

TEST_F(FileStreamTest, BinaryModeKeepsEveryByte) {
  std::string bytes("a\r\nb\n\x1A\0z", 8);
  StreamPtr stream = files_.Open("HistoryIndex", "wb+");
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->Write(bytes.data(), bytes.size()), bytes.size());
  EXPECT_EQ(stream->Tell(), 8);
  EXPECT_EQ(stream->Size(), 8);
  ASSERT_TRUE(stream->Seek(2, SeekFrom::kStart));
  char two[2];
  EXPECT_EQ(stream->Read(two, 2), 2u);
  EXPECT_EQ(std::string(two, 2), "\nb");
  EXPECT_TRUE(stream->Sync());
  stream->Close();
  EXPECT_EQ(testing::ReadBytes(files_, "HistoryIndex"), bytes);
}

TEST_F(FileStreamTest, FailedWritesSetTheErrorFlag) {
  ASSERT_TRUE(testing::WriteBytes(files_, "readonly", "x"));
  StreamPtr stream = files_.Open("readonly", "rb");
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->ErrorFlag(), 0);
  EXPECT_EQ(stream->Write("y", 1), 0u);
  EXPECT_EQ(stream->ErrorFlag(), kStreamErrorFlag);
  stream->ClearError();
  EXPECT_EQ(stream->ErrorFlag(), 0);
}

}  // namespace
}  // namespace corvisant
