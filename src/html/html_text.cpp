#include "html/html_text.h"

#include <cstring>

namespace corvisant {

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool EqualsNoCase(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return false;
  return EqualsNoCase(std::string_view(a), std::string_view(b));
}

std::size_t CollapseWhitespace(char* text, std::size_t length) {
  std::size_t write = 0;
  bool pendingSpace = false;
  for (std::size_t read = 0; read < length; ++read) {
    char c = text[read];
    if (IsHtmlSpace(c)) {
      // A run only becomes a space once a later non-space shows it is an inner run.
      pendingSpace = write > 0;
      continue;
    }
    if (pendingSpace) text[write++] = ' ';
    pendingSpace = false;
    text[write++] = c;
  }
  return write;
}

char* CollapseWhitespace(char* text) {
  if (text == nullptr) return text;
  text[CollapseWhitespace(text, std::strlen(text))] = '\0';
  return text;
}

void CollapseWhitespace(std::string& text) {
  text.resize(CollapseWhitespace(text.data(), text.size()));
}

}  // namespace corvisant
