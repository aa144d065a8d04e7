// What the history tests share: index records built byte by byte, so that no production code makes
// the bytes a test expects; the test clock's start on the files' 1904-based clock; the visit time
// of the display lines in local time; and a list's entries as comparable lines.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "history/url_list_file.h"
#include "tests/support/test_process.h"

namespace corvisant {

// The test clock's start (1997-12-05 10:03:04 UTC) + 0x7C262F10, and the Unix time 0 there.
constexpr std::uint32_t kTestTimeStored = 0xB0AE0068;
constexpr std::uint32_t kZeroStored = 0x7C262F10;

const std::string kIndex = "CorvisantDatabase\\history\\HistoryIndex";
const std::string kData1 = "CorvisantDatabase\\history\\HistoryURL.0001";
const std::string kData2 = "CorvisantDatabase\\history\\HistoryURL.0002";

// One 12-byte record, most significant byte first: mark 0, the data file's number, the time
// already on the 1904 clock, the offset of the texts.
inline std::string RecordBytes(std::uint16_t number, std::uint32_t storedTime,
                               std::uint32_t offset) {
  std::string bytes(2, '\0');
  const std::pair<std::uint32_t, int> fields[] = {{number, 2}, {storedTime, 4}, {offset, 4}};
  for (const auto& [value, width] : fields) {
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8) {
      bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
  }
  return bytes;
}

// 1997-12-05 10:03:04 in local time, so that the lines showing it read so in any time zone.
inline UnixTime LocalVisitTime() {
  std::tm when{};
  when.tm_year = 97;
  when.tm_mon = 11;
  when.tm_mday = 5;
  when.tm_hour = 10;
  when.tm_min = 3;
  when.tm_sec = 4;
  when.tm_isdst = -1;
  return static_cast<UnixTime>(std::mktime(&when));
}

inline OpenFilesTable& Table() { return *Current<OpenFilesTable>(); }

// Every entry oldest first as "url|title", or "-" for one that cannot be read.
inline std::vector<std::string> Entries(UrlListFile& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) {
    HistoryEntryPtr entry = list.ReadEntryFromOldest(i);
    lines.push_back(entry ? entry->url + "|" + entry->title : "-");
  }
  return lines;
}

}  // namespace corvisant
