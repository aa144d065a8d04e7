#include "views/annotation_log.h"

#include <array>
#include <limits>

namespace corvisant {
namespace {

constexpr std::uint64_t kDecimalBase = 10;
constexpr std::uint32_t kNumberMax = std::numeric_limits<std::uint32_t>::max();
constexpr char kFieldSeparator = ' ';
constexpr char kLineEnd = '\n';
constexpr int kBitsPerHexDigit = 4;
constexpr std::uint32_t kHexDigitMask = 0xf;
constexpr const char* kHexDigits = "0123456789abcdef";
constexpr std::uint32_t kCrcPolynomial = 0xedb88320;  // CRC-32 of zlib and PNG, reflected
constexpr std::uint32_t kCrcAllOnes = 0xffffffff;
constexpr int kBitsPerByte = 8;
constexpr std::size_t kByteValues = 256;

std::array<std::uint32_t, kByteValues> MakeCrcTable() {
  std::array<std::uint32_t, kByteValues> table{};
  for (std::uint32_t n = 0; n < kByteValues; ++n) {
    std::uint32_t c = n;
    for (int bit = 0; bit < kBitsPerByte; ++bit) {
      c = (c & 1) != 0 ? kCrcPolynomial ^ (c >> 1) : c >> 1;
    }
    table[n] = c;
  }
  return table;
}

std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, kByteValues> table = MakeCrcTable();
  std::uint32_t crc = kCrcAllOnes;
  for (char byte : bytes) {
    crc =
        table[(crc ^ static_cast<unsigned char>(byte)) & (kByteValues - 1)] ^ (crc >> kBitsPerByte);
  }
  return crc ^ kCrcAllOnes;
}

std::string Hex(std::uint32_t value) {
  std::string digits(kRecordChecksumDigits, '0');
  for (std::size_t i = kRecordChecksumDigits; i-- > 0; value >>= kBitsPerHexDigit) {
    digits[i] = kHexDigits[value & kHexDigitMask];
  }
  return digits;
}

// A decimal number of at most maxDigits digits; when canonical, written only as the writer writes
// it (no leading zero but in "0"), so that each number of the current form has one form only.
bool ParseDecimal(std::string_view digits, std::size_t maxDigits, bool canonical,
                  std::uint64_t* value) {
  if (digits.empty() || digits.size() > maxDigits) return false;
  if (canonical && digits.size() > 1 && digits[0] == '0') return false;
  *value = 0;
  for (char digit : digits) {
    if (digit < '0' || digit > '9') return false;
    *value = *value * kDecimalBase + static_cast<std::uint64_t>(digit - '0');
  }
  return true;
}

// Splits off the field up to separator; false when there is none.
bool NextField(std::string_view* rest, char separator, std::string_view* field) {
  std::size_t end = rest->find(separator);
  if (end == std::string_view::npos) return false;
  *field = rest->substr(0, end);
  rest->remove_prefix(end + 1);
  return true;
}

bool ParseNumber(std::string_view* header, char separator, std::uint64_t* value) {
  std::string_view field;
  return NextField(header, separator, &field) &&
         ParseDecimal(field, kRecordNumberDigitsMax, true, value) && *value <= kNumberMax;
}

// Whether bytes hold the whole of a record of size bytes, which ends with a line feed.
RecordParse Finish(std::string_view bytes, std::size_t size, std::size_t* recordSize) {
  *recordSize = size;
  if (bytes.size() < size) return RecordParse::kCut;
  return bytes[size - 1] == kLineEnd ? RecordParse::kWhole : RecordParse::kBad;
}

RecordParse ParseCurrent(std::string_view bytes, std::uint32_t offset, LogRecord* record,
                         std::size_t* size) {
  std::string_view header = bytes.substr(1, 3 * (kRecordNumberDigitsMax + 1));
  std::string_view rest = header;
  std::uint64_t at = 0, urlLength = 0, textLength = 0;
  if (!ParseNumber(&rest, kFieldSeparator, &at) || at != offset ||
      !ParseNumber(&rest, kFieldSeparator, &urlLength) ||
      !ParseNumber(&rest, kLineEnd, &textLength)) {
    return RecordParse::kBad;
  }
  std::size_t headerSize = 1 + header.size() - rest.size();
  std::size_t checked = headerSize + urlLength + textLength;
  RecordParse parse = Finish(bytes, checked + kRecordChecksumDigits + 1, size);
  if (parse != RecordParse::kWhole) return parse;
  if (bytes.substr(checked, kRecordChecksumDigits) != Hex(Crc32(bytes.substr(0, checked)))) {
    return RecordParse::kBad;
  }
  record->url = bytes.substr(headerSize, urlLength);
  record->text = bytes.substr(headerSize + urlLength, textLength);
  return RecordParse::kWhole;
}

RecordParse ParseFirstForm(std::string_view bytes, LogRecord* record, std::size_t* size) {
  std::string_view rest = bytes;
  std::string_view url, digits;
  std::uint64_t length = 0;
  if (!NextField(&rest, kLineEnd, &url) || url.empty() || !NextField(&rest, kLineEnd, &digits) ||
      !ParseDecimal(digits, kLogLengthDigitsMax, false, &length)) {
    return RecordParse::kBad;
  }
  std::size_t textStart = bytes.size() - rest.size();
  if (length > std::numeric_limits<std::size_t>::max() - textStart - 1) return RecordParse::kBad;
  RecordParse parse = Finish(bytes, textStart + length + 1, size);
  if (parse != RecordParse::kWhole) return parse;
  record->url = url;
  record->text = bytes.substr(textStart, length);
  return RecordParse::kWhole;
}

}  // namespace

std::string MakeLogRecord(std::uint32_t offset, std::string_view url, std::string_view text) {
  std::string record(1, kRecordMark);
  record += std::to_string(offset);
  record += kFieldSeparator;
  record += std::to_string(url.size());
  record += kFieldSeparator;
  record += std::to_string(text.size());
  record += kLineEnd;
  record.append(url);
  record.append(text);
  record += Hex(Crc32(record));
  record += kLineEnd;
  return record;
}

RecordParse ParseLogRecord(std::string_view bytes, std::uint32_t offset, bool firstForm,
                           LogRecord* record, std::size_t* size) {
  *size = 0;
  if (bytes.empty()) return RecordParse::kBad;
  RecordParse parse = RecordParse::kBad;
  if (bytes[0] == kRecordMark) {
    parse = ParseCurrent(bytes, offset, record, size);
  } else if (firstForm) {
    parse = ParseFirstForm(bytes, record, size);
  }
  if (parse == RecordParse::kWhole) record->offset = offset;
  return parse;
}

}  // namespace corvisant
