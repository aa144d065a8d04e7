#include "platform/files.h"

namespace corvisant {
namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  // Iterative match with one backtrack point: linear in practice, no recursion on hostile input.
  std::size_t n = 0, p = 0;
  std::size_t starPattern = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
      ++p;
      ++n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace corvisant
