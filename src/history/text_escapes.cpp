#include "history/text_escapes.h"

namespace corvisant {

std::string ReplaceEach(std::string_view text, char from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == from) {
      out.append(to);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace corvisant
