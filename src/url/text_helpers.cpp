#include "url/text_helpers.h"

namespace corvisant {
namespace {

// A byte below this, read as a signed 8-bit number, is a control byte.
constexpr int kFirstPrintable = 16;
constexpr int kHexDigitBase = 16;
// An upper-case hex digit's code minus this is its value ('A' - 55 = 10).
constexpr int kUpperHexOffset = 55;

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

int SecondDigitValue(char c) {
  if (IsDecimalDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return static_cast<signed char>(c) - kUpperHexOffset;
}

}  // namespace

void LowerCaseInPlace(std::string& text) { LowerCaseInPlace(text.data(), text.size()); }

void LowerCaseInPlace(char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] >= 'A' && text[i] <= 'Z') text[i] = static_cast<char>(text[i] - 'A' + 'a');
  }
}

bool ContainsBytes(const char* buffer, std::size_t length, std::string_view needle) {
  if (needle.empty()) return true;
  if (buffer == nullptr) return false;
  return std::string_view(buffer, length).find(needle) != std::string_view::npos;
}

std::size_t PercentDecode(std::string& text) {
  text.resize(PercentDecode(text.data(), text.size()));
  return text.size();
}

std::size_t PercentDecode(char* text, std::size_t length) {
  std::size_t out = 0;
  for (std::size_t in = 0; in < length; ++in) {
    if (text[in] == '%' && in + 2 < length && IsDecimalDigit(text[in + 1])) {
      int value = (text[in + 1] - '0') * kHexDigitBase + SecondDigitValue(text[in + 2]);
      text[out++] = static_cast<char>(static_cast<unsigned char>(value));
      in += 2;
    } else {
      text[out++] = text[in];
    }
  }
  return out;
}

std::string EscapeCommaSpace(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == ',') {
      out += "%2c";
    } else if (c == ' ') {
      out += "%20";
    } else {
      out += c;
    }
  }
  return out;
}

void StripControlBytes(std::string& text) {
  std::size_t out = 0;
  for (char c : text) {
    if (static_cast<signed char>(c) >= kFirstPrintable) text[out++] = c;
  }
  text.resize(out);
}

bool HasLongSegment(std::string_view text) {
  std::size_t run = 0;
  for (char c : text) {
    run = (c == '/') ? 0 : run + 1;
    if (run > kMaxStoreSegment) return true;
  }
  return false;
}

std::string TruncateLongSegments(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t run = 0;
  for (char c : text) {
    run = (c == '/') ? 0 : run + 1;
    if (run <= kMaxStoreSegment) out += c;
  }
  return out;
}

}  // namespace corvisant
