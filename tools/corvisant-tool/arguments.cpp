#include "tools/corvisant-tool/arguments.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

#include "tools/corvisant-tool/printing.h"

namespace corvisant::tool {
namespace {

constexpr int kDecimalBase = 10;
constexpr int kHexBase = 16;

bool IsHexPrefixed(std::string_view text) {
  return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

bool AllDigits(std::string_view digits, bool hex) {
  return !digits.empty() && std::all_of(digits.begin(), digits.end(), [hex](char c) {
    return hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0
               : std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

}  // namespace

bool ParseNumber(std::string_view text, long long* value) {
  return ParseNumberIn(text, std::numeric_limits<long long>::min(),
                       std::numeric_limits<long long>::max(), value);
}

bool ParseNumberIn(std::string_view text, long long lowest, long long highest, long long* value) {
  bool hex = IsHexPrefixed(text);
  std::string_view digits = text.substr(hex ? 2 : (!text.empty() && text[0] == '-' ? 1 : 0));
  if (!AllDigits(digits, hex)) return false;
  std::string copy(text);
  errno = 0;
  char* end = nullptr;
  long long parsed = hex ? std::strtoll(copy.c_str() + 2, &end, kHexBase)
                         : std::strtoll(copy.c_str(), &end, kDecimalBase);
  if (errno != 0 || parsed < lowest || parsed > highest) return false;
  *value = parsed;
  return true;
}

std::string_view ParsedArguments::Value(std::string_view option) const {
  auto found = options.find(option);
  return found == options.end() ? std::string_view() : found->second;
}

bool ParsedArguments::Number(std::string_view option, long long fallback, long long* value) const {
  if (!Has(option)) {
    *value = fallback;
    return true;
  }
  return ParseNumber(Value(option), value);
}

ParsedArguments ParseArguments(const Arguments& arguments,
                               std::initializer_list<std::string_view> valued,
                               std::initializer_list<std::string_view> flags) {
  ParsedArguments parsed;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view word = arguments[i];
    if (word.substr(0, 2) != "--") {
      parsed.words.push_back(word);
    } else if (std::find(flags.begin(), flags.end(), word) != flags.end()) {
      parsed.options[word] = "";
    } else if (std::find(valued.begin(), valued.end(), word) != valued.end() &&
               i + 1 < arguments.size()) {
      parsed.options[word] = arguments[++i];
    } else {
      parsed.ok = false;
    }
  }
  return parsed;
}

std::string Printable(std::string_view text) { return HexEscaped(text); }

int Failed(Context& context, std::string_view what) {
  std::fprintf(context.err, "corvisant-tool: %s\n", Printable(what).c_str());
  return kExitNothing;
}

}  // namespace corvisant::tool
