// How the tool prints texts that may hold any byte, so that every item stays on its own line.
#pragma once

#include <string>
#include <string_view>

namespace corvisant::tool {

// Every byte below 0x20 and from 0x7F up as "\xHH" (two lower-case hex digits).
std::string HexEscaped(std::string_view text);

// As HexEscaped, and also "\\" for a backslash, "\"" for a double quote, "\r", "\n" and "\t":
// for texts printed between double quotes.
std::string QuoteEscaped(std::string_view text);

}  // namespace corvisant::tool
