// The 12-byte record of a list index file: where one visit's texts lie and when it was made.
// Every integer is stored most significant byte first; the time on the 1904-based clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/times.h"

namespace corvisant {

constexpr std::size_t kIndexRecordSize = 12;

struct IndexRecord {
  std::uint16_t mark = 0;  // always written as 0
  // The data file holding the texts: a history data file's number, 1 for a list's own file.
  std::uint16_t fileNumber = 0;
  UnixTime time = 0;
  std::uint32_t offset = 0;  // where the texts start in the data file
};

void EncodeIndexRecord(const IndexRecord& record, unsigned char (&bytes)[kIndexRecordSize]);
IndexRecord DecodeIndexRecord(const unsigned char (&bytes)[kIndexRecordSize]);
// The records one after another, as an index file holds them.
std::string EncodeIndexRecords(const std::vector<IndexRecord>& records);

}  // namespace corvisant
