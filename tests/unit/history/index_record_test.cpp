#include "history/index_record.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/history/history_fixture.h"

namespace corvisant {
namespace {

struct RecordCase {
  const char* what;
  IndexRecord record;
  std::string bytes;
};

std::vector<RecordCase> RecordCases() {
  return {
      {"unix time 0 is the 1904 clock's 0x7C262F10",
       {0, 1, 0, 0},
       std::string("\x00\x00\x00\x01\x7C\x26\x2F\x10\x00\x00\x00\x00", 12)},
      {"every field most significant byte first",
       {0, 0x0102, testing::kVisitTime, 0x0A0B0C0D},
       std::string("\x00\x00\x01\x02\xB0\xAE\x00\x68\x0A\x0B\x0C\x0D", 12)},
      {"largest number and offset",
       {0, 0xFFFF, 1, 0xFFFFFFFF},
       std::string("\x00\x00\xFF\xFF\x7C\x26\x2F\x11\xFF\xFF\xFF\xFF", 12)},
  };
}

TEST(IndexRecordTest, EncodesAndDecodesTheTwelveByteLayout) {
  for (const RecordCase& c : RecordCases()) {
    unsigned char bytes[kIndexRecordSize];
    EncodeIndexRecord(c.record, bytes);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), sizeof bytes), c.bytes) << c.what;

    unsigned char in[kIndexRecordSize];
    std::copy(c.bytes.begin(), c.bytes.end(), in);
    IndexRecord read = DecodeIndexRecord(in);
    EXPECT_EQ(read.fileNumber, c.record.fileNumber) << c.what;
    EXPECT_EQ(read.time, c.record.time) << c.what;
    EXPECT_EQ(read.offset, c.record.offset) << c.what;
  }
}

TEST(IndexRecordTest, MarkIsReadButStoredTimeBelowTheShiftStaysNegative) {
  unsigned char bytes[kIndexRecordSize] = {0xAB, 0xCD, 0, 1, 0, 0, 0, 0, 0, 0, 0, 12};
  IndexRecord read = DecodeIndexRecord(bytes);
  EXPECT_EQ(read.mark, 0xABCD);
  EXPECT_EQ(read.time, -static_cast<UnixTime>(kHistoryTimeOffset));
  EXPECT_EQ(read.offset, 12u);
}

}  // namespace
}  // namespace corvisant
