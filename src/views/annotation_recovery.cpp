#include "views/annotation_recovery.h"

#include <algorithm>
#include <limits>

namespace corvisant {
namespace {

// How many times over the log's size a scan may check records that prove not to be whole while
// it looks past damage: bytes made to look like many long records cannot make it take for ever.
constexpr std::size_t kDamageWorkFactor = 4;

class LogScan {
 public:
  LogScan(std::string_view log, const RecordStarts& known)
      : log_(log), known_(known), damageWork_(kDamageWorkFactor * (log.size() + kRecordFrameMax)) {
    currentFormStart_ = WholeRecordFrom(0);
  }

  // The next whole record; false at the end.
  bool Next(LogRecord* record) {
    while (at_ < log_.size()) {
      if (at_ >= currentFormStart_ || log_[at_] == kRecordMark) firstForm_ = false;
      std::size_t size = 0;
      RecordParse parse =
          ParseLogRecord(Candidate(), static_cast<std::uint32_t>(at_), firstForm_, record, &size);
      if (parse == RecordParse::kWhole) {
        at_ += size;
        clean_ = true;
        return true;
      }
      clean_ = false;
      at_ = firstForm_ ? NextLine() : WholeRecordFrom(at_ + 1);
    }
    return false;
  }

 private:
  // The bytes a record of the first form at the scan's place may take: never the start of a
  // whole record of the current form; and after damage not even the start of one cut short, nor
  // a start the table names, so that the bytes of a record cut short can never swallow the
  // records written after it.
  std::string_view Candidate() const {
    std::string_view rest = log_.substr(at_);
    if (!firstForm_) return rest;
    std::size_t end = currentFormStart_;
    if (!clean_) end = std::min({end, NextMark(), NextKnown()});
    return rest.substr(0, end - at_);
  }

  // The next start the table names after the scan's place, or the log's size.
  std::size_t NextKnown() const {
    auto next = std::upper_bound(known_.begin(), known_.end(), at_);
    return next == known_.end() ? log_.size() : std::min<std::size_t>(*next, log_.size());
  }

  std::size_t NextMark() const { return std::min(log_.find(kRecordMark, at_), log_.size()); }

  std::size_t NextLine() const {
    std::size_t next = std::min({currentFormStart_, log_.find(kRecordMark, at_ + 1), NextKnown()});
    std::size_t lineEnd = log_.find('\n', at_);
    return lineEnd == std::string_view::npos ? next : std::min(next, lineEnd + 1);
  }

  // Where the first whole record of the current form at or after from starts; the log's size
  // when there is none.
  std::size_t WholeRecordFrom(std::size_t from) {
    for (std::size_t at = log_.find(kRecordMark, from); at != std::string_view::npos;
         at = log_.find(kRecordMark, at + 1)) {
      LogRecord record;
      std::size_t size = 0;
      std::string_view rest = log_.substr(at);
      if (ParseLogRecord(rest, static_cast<std::uint32_t>(at), false, &record, &size) ==
          RecordParse::kWhole) {
        return at;
      }
      std::size_t work = std::max<std::size_t>(size, 1);
      if (work > damageWork_) break;
      damageWork_ -= work;
    }
    return log_.size();
  }

  std::string_view log_;
  const RecordStarts& known_;
  std::size_t at_ = 0;
  std::size_t currentFormStart_ = 0;
  // Records of the first form may still come: the scan has not reached the current form.
  bool firstForm_ = true;
  // The scan stands where the last whole record ended (or at the start).
  bool clean_ = true;
  std::size_t damageWork_;
};

}  // namespace

void ScanAnnotationLog(std::string_view log, const std::function<void(const LogRecord&)>& found,
                       const RecordStarts& known) {
  // Offsets beyond 32 bits cannot be kept in the table.
  log = log.substr(0, std::numeric_limits<std::uint32_t>::max());
  LogScan scan(log, known);
  LogRecord record;
  while (scan.Next(&record)) found(record);
}

std::map<std::string_view, std::uint32_t> CurrentAnnotations(std::string_view log,
                                                             const RecordStarts& known) {
  std::map<std::string_view, std::uint32_t> current;
  ScanAnnotationLog(
      log,
      [&current](const LogRecord& record) {
        if (record.text.empty()) {
          current.erase(record.url);
        } else {
          current[record.url] = record.offset;
        }
      },
      known);
  return current;
}

}  // namespace corvisant
