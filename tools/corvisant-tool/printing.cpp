#include "tools/corvisant-tool/printing.h"

#include <cstdio>

namespace corvisant::tool {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

void AppendByte(std::string& out, char c) {
  auto byte = static_cast<unsigned char>(c);
  if (byte >= kFirstPrintable && byte < kDelete) {
    out += c;
    return;
  }
  char hex[8];
  std::snprintf(hex, sizeof hex, "\\x%02x", byte);
  out += hex;
}

const char* QuoteEscapeOf(char c) {
  switch (c) {
    case '\\':
      return "\\\\";
    case '"':
      return "\\\"";
    case '\r':
      return "\\r";
    case '\n':
      return "\\n";
    case '\t':
      return "\\t";
    default:
      return nullptr;
  }
}

}  // namespace

std::string HexEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendByte(out, c);
  return out;
}

std::string QuoteEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (const char* escape = QuoteEscapeOf(c)) {
      out += escape;
    } else {
      AppendByte(out, c);
    }
  }
  return out;
}

}  // namespace corvisant::tool
