// The records of "annotation.log", in its two forms.
//
// The first form, which older logs hold: the URL, "\n", the text's length in decimal, "\n", the
// text, "\n". A URL holding a line feed makes it ambiguous, and nothing in it tells a record cut
// short from a whole one.
//
// The form every record is now written in is whole for any bytes in the URL and the text:
//   NUL, the record's own offset, " ", the URL's length, " ", the text's length, "\n",
//   the URL, the text, the CRC-32 of every byte before it as 8 lower-case hex digits, "\n".
// No record of the first form starts with a NUL (a URL never does), so the first byte tells the
// forms apart. In both forms an empty text removes the URL's annotation. The offset and the
// checksum let a reader that meets damage find the next whole record: a record counts only where
// it says it starts and when its bytes agree with its checksum.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvisant {

// The first byte of a record of the current form.
constexpr char kRecordMark = '\0';
// The most digits a length of the first form holds before its line feed.
constexpr std::size_t kLogLengthDigitsMax = 19;
// The offset and the lengths of the current form are 32-bit numbers.
constexpr std::size_t kRecordNumberDigitsMax = 10;
constexpr std::size_t kRecordChecksumDigits = 8;
// The most bytes a record of either form holds besides its URL and its text: the mark, three
// numbers each with the byte after it, the checksum and the line feed after it.
constexpr std::size_t kRecordFrameMax =
    1 + 3 * (kRecordNumberDigitsMax + 1) + kRecordChecksumDigits + 1;

struct LogRecord {
  std::string_view url;
  // Empty for a removal.
  std::string_view text;
  // Where the record starts in the log.
  std::uint32_t offset = 0;
};

// The record that makes text url's annotation (an empty text: removes it), to be written at
// offset.
std::string MakeLogRecord(std::uint32_t offset, std::string_view url, std::string_view text);

enum class RecordParse {
  kWhole,
  // The start of a record: *size says how many bytes it needs.
  kCut,
  kBad,
};

// Reads the record at the start of bytes, which lie at offset in the log; records of the first
// form only when firstForm. kWhole: *record set and *size the record's bytes. *size is also set
// for kCut, and for kBad when a header was read whole (0 otherwise).
RecordParse ParseLogRecord(std::string_view bytes, std::uint32_t offset, bool firstForm,
                           LogRecord* record, std::size_t* size);

}  // namespace corvisant
