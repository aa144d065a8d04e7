#include "views/annotation_recovery.h"

#include <limits>

namespace corvisant {
namespace {

constexpr std::size_t kDecimalBase = 10;

// Parses the record that starts at at; true with *next set past it when it is whole.
bool ParseRecord(std::string_view log, std::size_t at, LogRecord* record, std::size_t* next) {
  std::size_t urlEnd = log.find('\n', at);
  if (urlEnd == std::string_view::npos || urlEnd == at) return false;
  std::size_t lengthEnd = log.find('\n', urlEnd + 1);
  std::size_t digits = lengthEnd - urlEnd - 1;
  if (lengthEnd == std::string_view::npos || digits == 0 || digits > kLogLengthDigitsMax) {
    return false;
  }
  std::size_t length = 0;
  for (std::size_t i = urlEnd + 1; i < lengthEnd; ++i) {
    if (log[i] < '0' || log[i] > '9') return false;
    length = length * kDecimalBase + static_cast<std::size_t>(log[i] - '0');
  }
  std::size_t textStart = lengthEnd + 1;
  if (length >= log.size() - textStart || log[textStart + length] != '\n') return false;
  record->url = log.substr(at, urlEnd - at);
  record->offset = static_cast<std::uint32_t>(at);
  record->length = length;
  *next = textStart + length + 1;
  return true;
}

}  // namespace

void ScanAnnotationLog(std::string_view log, const std::function<void(const LogRecord&)>& found) {
  // Offsets beyond 32 bits cannot be kept in the table.
  if (log.size() > std::numeric_limits<std::uint32_t>::max()) {
    log = log.substr(0, std::numeric_limits<std::uint32_t>::max());
  }
  std::size_t at = 0;
  while (at < log.size()) {
    LogRecord record;
    std::size_t next = 0;
    if (ParseRecord(log, at, &record, &next)) {
      found(record);
      at = next;
      continue;
    }
    std::size_t lineEnd = log.find('\n', at);
    if (lineEnd == std::string_view::npos) break;
    at = lineEnd + 1;
  }
}

}  // namespace corvisant
