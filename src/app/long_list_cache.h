// The line cache of the list control for very long lists: the last 256 line texts it was given,
// newest first, so that a repaint of the same page asks the owner for nothing.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace corvisant {

// At most this many line texts are kept.
constexpr std::size_t kLineCacheSize = 256;

class LineCache {
 public:
  // The cached text of item, or null. A hit does not move the entry: the order is the order in
  // which texts were given, so the oldest given is the first to go.
  const std::string* Find(int item) const;
  // Keeps a copy of text as item's line, in front of every other entry; an earlier entry for item
  // is dropped, and the entries beyond the 256th are freed.
  const std::string& Store(int item, std::string_view text);
  // A line put in front of the list: every cached item moves one down and text becomes item 0.
  void InsertAtFront(std::string_view text);
  void Clear() { entries_.clear(); }

  // The cached items, newest first.
  std::vector<int> Items() const;

 private:
  struct Entry {
    std::string text;
    int item;
  };
  void PutFirst(int item, std::string_view text);

  std::deque<Entry> entries_;
};

}  // namespace corvisant
