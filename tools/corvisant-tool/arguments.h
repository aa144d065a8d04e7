// What the commands share in reading their arguments and telling of a failure.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/corvisant-tool/tool.h"

namespace corvisant::tool {

// A whole number: decimal with an optional "-", or "0x" hexadecimal. False for anything else and
// for a number beyond the 64 bits of a long long.
bool ParseNumber(std::string_view text, long long* value);
// The same, within [lowest, highest].
bool ParseNumberIn(std::string_view text, long long lowest, long long highest, long long* value);

// Positional words and "--name value" / "--flag" options, in any order.
struct ParsedArguments {
  std::vector<std::string_view> words;
  std::map<std::string_view, std::string_view> options;
  bool ok = true;

  bool Has(std::string_view option) const { return options.count(option) != 0; }
  std::string_view Value(std::string_view option) const;
  // The option's number, or fallback when it is not given; false when it is not a number.
  bool Number(std::string_view option, long long fallback, long long* value) const;
};

ParsedArguments ParseArguments(const Arguments& arguments,
                               std::initializer_list<std::string_view> valued,
                               std::initializer_list<std::string_view> flags);

// Texts, URLs and names as the commands print them: every byte that is not printable as "\xHH".
std::string Printable(std::string_view text);

// "corvisant-tool: WHAT" on the error stream; kExitNothing.
int Failed(Context& context, std::string_view what);

}  // namespace corvisant::tool
