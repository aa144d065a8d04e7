// Walking many records of a list, the whole index or a range of it, in bounded time and memory.
#pragma once

#include <string>
#include <vector>

#include "history/url_list_file.h"

namespace corvisant {

// How a walk reads the index: under the list's lock, taken for each block, so that a writer in
// another process neither fails the read (Windows locks bar other handles' reads) nor waits longer
// than one block's read; or under the lock that its caller holds for the whole walk.
enum class WalkLocking { kEachBlock, kHeldByCaller };

// Walks records of a list in order, reading its index a block at a time: a walk over a whole
// index costs one read per block, not two seeks and a read per record, and blocks of zeros and
// records that name no data file or a missing one are passed over without touching the data
// files.
class RecordWalk {
 public:
  // Positions [first, end) in the chosen order (0 the newest, or with oldestFirst the oldest),
  // cut to the records the list has.
  RecordWalk(UrlListFile& list, bool oldestFirst, RecordCount first, RecordCount end,
             WalkLocking locking = WalkLocking::kEachBlock);
  // The next record and its position; false at the end, or when the index cannot be read.
  bool Next(RecordCount* position, IndexRecord* record);
  // The next readable entry and its position; null at the end.
  HistoryEntryPtr NextEntry(RecordCount* position);
  // True when the walk ended early because the index could not be read.
  bool failed() const { return failed_; }

 private:
  // True when a record is at hand in the block, loading the next block when it is used up.
  bool Fill();
  bool Load();
  bool SkipZeroBlock();

  UrlListFile& list_;
  bool oldestFirst_;
  WalkLocking locking_;
  RecordCount count_;
  RecordCount next_;
  RecordCount end_;
  std::string block_;
  std::size_t blockUsed_ = 0;
  bool failed_ = false;
  std::vector<bool> missingData_;
};

}  // namespace corvisant
