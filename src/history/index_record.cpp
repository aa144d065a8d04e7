#include "history/index_record.h"

namespace corvisant {
namespace {

constexpr std::size_t kMarkAt = 0;
constexpr std::size_t kFileNumberAt = 2;
constexpr std::size_t kTimeAt = 4;
constexpr std::size_t kOffsetAt = 8;
constexpr unsigned kByteBits = 8;

void PutBigEndian(unsigned char* out, std::uint32_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) {
    out[width - 1 - i] = static_cast<unsigned char>(value >> (kByteBits * i));
  }
}

std::uint32_t GetBigEndian(const unsigned char* in, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < width; ++i) value = (value << kByteBits) | in[i];
  return value;
}

}  // namespace

void EncodeIndexRecord(const IndexRecord& record, unsigned char (&bytes)[kIndexRecordSize]) {
  PutBigEndian(bytes + kMarkAt, record.mark, sizeof record.mark);
  PutBigEndian(bytes + kFileNumberAt, record.fileNumber, sizeof record.fileNumber);
  PutBigEndian(bytes + kTimeAt, ToHistoryTime(record.time), sizeof(std::uint32_t));
  PutBigEndian(bytes + kOffsetAt, record.offset, sizeof record.offset);
}

IndexRecord DecodeIndexRecord(const unsigned char (&bytes)[kIndexRecordSize]) {
  IndexRecord record;
  record.mark = static_cast<std::uint16_t>(GetBigEndian(bytes + kMarkAt, sizeof record.mark));
  record.fileNumber =
      static_cast<std::uint16_t>(GetBigEndian(bytes + kFileNumberAt, sizeof record.fileNumber));
  record.time = FromHistoryTime(GetBigEndian(bytes + kTimeAt, sizeof(std::uint32_t)));
  record.offset = GetBigEndian(bytes + kOffsetAt, sizeof record.offset);
  return record;
}

std::string EncodeIndexRecords(const std::vector<IndexRecord>& records) {
  std::string bytes;
  bytes.reserve(records.size() * kIndexRecordSize);
  for (const IndexRecord& record : records) {
    unsigned char one[kIndexRecordSize];
    EncodeIndexRecord(record, one);
    bytes.append(reinterpret_cast<const char*>(one), sizeof one);
  }
  return bytes;
}

}  // namespace corvisant
