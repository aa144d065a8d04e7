#include "app/long_list_cache.h"

#include <algorithm>

namespace corvisant {

const std::string* LineCache::Find(int item) const {
  for (const Entry& entry : entries_) {
    if (entry.item == item) return &entry.text;
  }
  return nullptr;
}

void LineCache::PutFirst(int item, std::string_view text) {
  entries_.push_front(Entry{std::string(text), item});
  if (entries_.size() > kLineCacheSize) entries_.pop_back();
}

const std::string& LineCache::Store(int item, std::string_view text) {
  auto earlier = std::find_if(entries_.begin(), entries_.end(),
                              [item](const Entry& entry) { return entry.item == item; });
  if (earlier != entries_.end()) entries_.erase(earlier);
  PutFirst(item, text);
  return entries_.front().text;
}

void LineCache::InsertAtFront(std::string_view text) {
  for (Entry& entry : entries_) ++entry.item;
  PutFirst(0, text);
}

std::vector<int> LineCache::Items() const {
  std::vector<int> items;
  for (const Entry& entry : entries_) items.push_back(entry.item);
  return items;
}

}  // namespace corvisant
