// One visit as the list readers give it back: owned by whoever read it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "common/times.h"

namespace corvisant {

struct HistoryEntry {
  std::string title;
  std::string url;
  // A third text that callers may attach; never set by the file readers.
  std::optional<std::string> extra;
  UnixTime time = 0;
};

// Freeing the entry frees its texts with it.
using HistoryEntryPtr = std::unique_ptr<HistoryEntry>;

}  // namespace corvisant
