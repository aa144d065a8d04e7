#include "common/string_list.h"

#include <algorithm>

namespace corvisant {

void SortedStringList::Add(std::string_view text) { entries_.emplace_back(text); }

void SortedStringList::InsertAtFront(std::string_view text) {
  entries_.emplace(entries_.begin(), text);
}

int SortedStringList::Find(std::string_view text) const {
  auto found = std::find(entries_.begin(), entries_.end(), text);
  return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

int SortedStringList::AddIfAbsent(std::string_view text) {
  int index = Find(text);
  if (index >= 0) return index;
  Add(text);
  return Count() - 1;
}

void SortedStringList::Sort() {
  // std::string compares with char_traits<char>, whose compare is memcmp-like: unsigned bytes.
  std::sort(entries_.begin(), entries_.end());
}

}  // namespace corvisant
