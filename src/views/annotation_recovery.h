// Reading "annotation.log" from its start, for when the table that points into it has been lost:
// every whole record, in the order it was attached.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace corvisant {

// The most digits a record's length line holds before its line feed.
constexpr std::size_t kLogLengthDigitsMax = 19;

struct LogRecord {
  std::string_view url;
  std::uint32_t offset;
  std::size_t length;
};

// Calls found for each whole record of log, a record being the URL line, the length line, that
// many bytes of text and a line feed. A damaged stretch (a record cut short when the process
// ended during an attach) is passed over up to the next line that starts a whole record.
void ScanAnnotationLog(std::string_view log, const std::function<void(const LogRecord&)>& found);

}  // namespace corvisant
