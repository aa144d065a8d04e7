// The set of URLs a link-following run has already taken or loaded: a Berkeley DB hash table in a
// temporary file of the store, with a cache large enough for the pages of a long crawl, so that a
// lookup costs about the same at any size. The file goes with the set.
#pragma once

#include <string>
#include <string_view>

#include "platform/berkeley_db.h"

namespace corvisant {

class VisitedSet {
 public:
  // A new, empty table on a fresh temporary file; a set that could not be made answers every
  // lookup as failed.
  VisitedSet();
  ~VisitedSet();
  VisitedSet(const VisitedSet&) = delete;
  VisitedSet& operator=(const VisitedSet&) = delete;

  enum class Lookup { kAbsent, kPresent, kFailed };
  Lookup Find(std::string_view url);
  // A failed lookup counts as visited: a URL that cannot be looked up is never offered, so a
  // broken table ends the run instead of letting it go round for ever.
  bool Contains(std::string_view url) { return Find(url) != Lookup::kAbsent; }
  bool Add(std::string_view url);

  bool open() const { return table_ != nullptr; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  DbHandle table_;
};

}  // namespace corvisant
