// Small byte-wise text helpers shared by the layers above.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvisant {

// The longest "/"-separated segment of a store name; longer segments are cut.
constexpr std::size_t kMaxStoreSegment = 255;

// Byte-wise prefix and suffix tests.
inline bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}
inline bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Folds A-Z to a-z, in place.
void LowerCaseInPlace(std::string& text);
void LowerCaseInPlace(char* text, std::size_t length);
// Plain substring search within a counted buffer.
bool ContainsBytes(const char* buffer, std::size_t length, std::string_view needle);
// Decodes "%" + decimal digit + one more character, in place; returns the new length.
std::size_t PercentDecode(std::string& text);
std::size_t PercentDecode(char* text, std::size_t length);
// text with "," as "%2c" and " " as "%20" (text itself when it holds neither).
std::string EscapeCommaSpace(std::string_view text);
// Removes, in place, every byte below 16 read as a signed 8-bit number (0x00-0x0F, 0x80-0xFF).
void StripControlBytes(std::string& text);
// A run of more than kMaxStoreSegment bytes without "/".
bool HasLongSegment(std::string_view text);
// Each "/"-separated run cut to its first kMaxStoreSegment bytes.
std::string TruncateLongSegments(std::string_view text);

}  // namespace corvisant
