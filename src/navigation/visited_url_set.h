// The URLs a navigation run has already taken or loaded: a Berkeley DB hash table on a fresh
// temporary file of the page store, so that a long run's set lives on disk, not in memory. It
// lives as long as its run; nothing of it survives.
#pragma once

#include <string>
#include <string_view>

#include "platform/berkeley_db.h"

namespace corvisant {

class VisitedUrlSet {
 public:
  // Made on a new temporary file name, opened read-write, created and truncated.
  VisitedUrlSet();
  // Closes the table and deletes its file.
  ~VisitedUrlSet();
  VisitedUrlSet(const VisitedUrlSet&) = delete;
  VisitedUrlSet& operator=(const VisitedUrlSet&) = delete;

  bool IsOpen() const { return table_ != nullptr; }
  // A lookup that fails (no table, a read error) counts as visited, so that a broken set can
  // only make a run shorter, never offer a page twice.
  bool Contains(std::string_view url) const;
  void Add(std::string_view url);

 private:
  std::string file_;
  DbHandle table_;
};

}  // namespace corvisant
