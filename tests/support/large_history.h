// A history of any length written straight into the store's history files, for the tests and
// benchmarks of the list windows: visit i (0 the oldest) of "http://siteN.example/pageI.html",
// titled "Page I", at start + i * step.
#pragma once

#include <string>
#include <vector>

#include "history/entry_texts.h"
#include "history/index_record.h"
#include "history/url_list_file.h"
#include "tests/support/scratch_directory.h"

namespace corvisant::testing {

constexpr int kLargeHistorySites = 97;

inline std::string LargeHistoryUrl(int i) {
  return "http://site" + std::to_string(i % kLargeHistorySites) + ".example/page" +
         std::to_string(i) + ".html";
}
inline std::string LargeHistoryTitle(int i) { return "Page " + std::to_string(i); }

inline bool WriteLargeHistory(Files& files, int count, UnixTime start, UnixTime step) {
  std::string data;
  std::vector<IndexRecord> records;
  records.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    IndexRecord record;
    record.fileNumber = 1;
    record.time = start + step * i;
    record.offset = static_cast<std::uint32_t>(data.size());
    records.push_back(record);
    data += LargeHistoryUrl(i) + kTextEnd + LargeHistoryTitle(i) + kTextEnd;
  }
  return WriteBytes(files, HistoryDataPath(1), data) &&
         WriteBytes(files, HistoryIndexPath(), EncodeIndexRecords(records));
}

}  // namespace corvisant::testing
