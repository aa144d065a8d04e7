// Reading "annotation.log" from its start, for when the table that points into it cannot be
// trusted: every whole record, in the order it was attached, and from them each URL's current
// annotation.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "views/annotation_log.h"

namespace corvisant {

// Offsets at which records start, as a table names them, in ascending order.
using RecordStarts = std::vector<std::uint32_t>;

// Calls found for each whole record of log. A log starts with the records of the first form that
// older logs hold, if any, and goes on in the current form. A damaged stretch (a record cut short
// when the process ended, or the disk filled, during an attach) is passed over up to the next
// record that starts where it says it does and agrees with its checksum; while the first form
// may still follow, also up to the next line, or the next of the known starts, at which a whole
// record of that form starts, though never across the start of a record of the current form or
// a known start. (Older programs wrote their next record right after one cut short, which only
// the table they left can tell apart.)
void ScanAnnotationLog(std::string_view log, const std::function<void(const LogRecord&)>& found,
                       const RecordStarts& known = RecordStarts());

// Each URL's current annotation as the log's records leave it: the offset of the URL's last
// record, for the URLs whose last record does not remove the annotation.
std::map<std::string_view, std::uint32_t> CurrentAnnotations(
    std::string_view log, const RecordStarts& known = RecordStarts());

}  // namespace corvisant
