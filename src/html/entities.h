// Character entities: the table of named references and the in-place decoder used for every
// text run and tag text of a page.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace corvisant {

struct HtmlEntity {
  const char* name;
  unsigned char code;  // a byte of the Windows ANSI code page
};

constexpr std::size_t kHtmlEntityCount = 104;
// Searched with an exact, case-sensitive comparison of the whole name.
extern const std::array<HtmlEntity, kHtmlEntityCount> kHtmlEntities;

// The code of the entity named exactly name, or 0 when there is none.
unsigned char EntityCode(std::string_view name);

// Decodes the character references of text[0, length) in place ("AT&amp;T" -> "AT&T",
// "&#65;" -> "A", "&copy " -> "\xA9 "); references it cannot read stay as they are. Returns the
// new length, which is never more than length.
std::size_t DecodeEntities(char* text, std::size_t length);
// NUL-terminated form; null is left alone. Returns text.
char* DecodeEntities(char* text);
void DecodeEntities(std::string& text);

}  // namespace corvisant
