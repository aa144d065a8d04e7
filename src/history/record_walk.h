// Walking many records of a list, the whole index or a range of it, in bounded time and memory.
#pragma once

#include <string>
#include <vector>

#include "history/url_list_file.h"

namespace corvisant {

// Walks records of a list in order, reading its index a block at a time: a walk over a whole
// index costs one read per block, not two seeks and a read per record, and records that name
// no data file (the zeros of a sparse or wiped index) or a missing one are passed over without
// touching the data files.
class RecordWalk {
 public:
  // Positions [first, end) in the chosen order (0 the newest, or with oldestFirst the oldest),
  // cut to the records the list has.
  RecordWalk(UrlListFile& list, bool oldestFirst, RecordCount first, RecordCount end);
  // The next record and its position; false at the end, or when the index cannot be read.
  bool Next(RecordCount* position, IndexRecord* record);
  // The next readable entry and its position; null at the end.
  HistoryEntryPtr NextEntry(RecordCount* position);

 private:
  // True when a record is at hand in the block, loading the next block when it is used up.
  bool Fill();
  bool Load();
  bool SkipZeroBlock();

  UrlListFile& list_;
  bool oldestFirst_;
  RecordCount count_;
  RecordCount next_;
  RecordCount end_;
  std::string block_;
  std::size_t blockUsed_ = 0;
  std::vector<bool> missingData_;
};

}  // namespace corvisant
