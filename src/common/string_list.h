// A growable array of owned strings: font faces, sound names, hotlist names. Comparisons are
// byte-wise and case-sensitive.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvisant {

class SortedStringList {
 public:
  void Add(std::string_view text);
  void InsertAtFront(std::string_view text);
  // Index of the first entry equal to text, or -1.
  int Find(std::string_view text) const;
  // Adds a copy unless an equal entry is there; returns the entry's index either way.
  int AddIfAbsent(std::string_view text);
  // Byte-wise ascending: "B" before "a", "\xE9" after "z".
  void Sort();

  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& At(int index) const { return entries_[static_cast<std::size_t>(index)]; }
  void Clear() { entries_.clear(); }

 private:
  std::vector<std::string> entries_;
};

}  // namespace corvisant
