// Character classes and small text helpers of the HTML scanner. Pages are single-byte text in
// the Windows ANSI code page; the classes are those of the default "C" locale, and case folding
// touches A-Z only, so a byte from 0x80 up is never a letter, a digit or white space.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvisant {

// Space, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool IsHtmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
constexpr bool IsHtmlLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool IsHtmlDigit(char c) { return c >= '0' && c <= '9'; }
constexpr char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal ignoring the case of A-Z; two empty texts are equal.
bool EqualsNoCase(std::string_view a, std::string_view b);
// The same for NUL-terminated texts: false when either is null.
bool EqualsNoCase(const char* a, const char* b);

// In place: leading and trailing white space removed, each inner run of white space replaced by
// one space. Returns the new length; the text never grows.
std::size_t CollapseWhitespace(char* text, std::size_t length);
// NUL-terminated form; null is left alone. Returns text.
char* CollapseWhitespace(char* text);
void CollapseWhitespace(std::string& text);

}  // namespace corvisant
