#include "history/record_walk.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

namespace corvisant {
namespace {

constexpr RecordCount kRecordSize = static_cast<RecordCount>(kIndexRecordSize);
// A walk reads this many records at a time (768 KB): few reads, and few locks, for a long index.
constexpr RecordCount kWalkBlockRecords = 65536;

}  // namespace

RecordWalk::RecordWalk(UrlListFile& list, bool oldestFirst, RecordCount first, RecordCount end,
                       WalkLocking locking)
    : list_(list),
      oldestFirst_(oldestFirst),
      locking_(locking),
      count_(list.Count()),
      missingData_(std::size_t{std::numeric_limits<std::uint16_t>::max()} + 1) {
  next_ = std::max<RecordCount>(first, 0);
  end_ = std::min(end, count_);
}

// The records that follow in the walk's order, up to one block, in file order in block_.
bool RecordWalk::Load() {
  RecordCount records = std::min(end_ - next_, kWalkBlockRecords);
  RecordCount oldest = oldestFirst_ ? next_ : count_ - next_ - records;
  FileStream* index = list_.indexStream();
  block_.resize(static_cast<std::size_t>(records) * kIndexRecordSize);
  blockUsed_ = 0;
  std::optional<ListLock> lock;
  if (locking_ == WalkLocking::kEachBlock) lock.emplace(list_);
  return index != nullptr && index->Seek(oldest * kRecordSize, SeekFrom::kStart) &&
         index->Read(block_.data(), block_.size()) == block_.size();
}

bool RecordWalk::Fill() {
  if (next_ >= end_) return false;
  if (blockUsed_ < block_.size()) return true;
  if (Load()) return true;
  end_ = next_;
  failed_ = true;
  return false;
}

bool RecordWalk::Next(RecordCount* position, IndexRecord* record) {
  if (!Fill()) return false;
  std::size_t at = oldestFirst_ ? blockUsed_ : block_.size() - blockUsed_ - kIndexRecordSize;
  unsigned char bytes[kIndexRecordSize];
  std::memcpy(bytes, block_.data() + at, sizeof bytes);
  blockUsed_ += kIndexRecordSize;
  *record = DecodeIndexRecord(bytes);
  *position = next_++;
  return true;
}

// A fresh block of zero bytes holds no record that names a data file: it is passed over whole.
bool RecordWalk::SkipZeroBlock() {
  if (blockUsed_ != 0 || block_.empty() || block_[0] != '\0' ||
      std::memcmp(block_.data(), block_.data() + 1, block_.size() - 1) != 0) {
    return false;
  }
  next_ += static_cast<RecordCount>(block_.size() / kIndexRecordSize);
  blockUsed_ = block_.size();
  return true;
}

HistoryEntryPtr RecordWalk::NextEntry(RecordCount* position) {
  IndexRecord record;
  while (Fill()) {
    if (SkipZeroBlock() || !Next(position, &record)) continue;
    if (record.fileNumber == 0 || missingData_[record.fileNumber]) continue;
    if (HistoryEntryPtr entry = list_.ReadEntryOfRecord(record)) return entry;
    // Asked once per walk: a missing data file stays missing while the walk lasts.
    if (list_.DataStream(record.fileNumber) == nullptr) missingData_[record.fileNumber] = true;
  }
  return nullptr;
}

}  // namespace corvisant
