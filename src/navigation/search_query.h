// Reading a search's URL: the values of its query keys as they stand (never decoded), the numbers
// they hold, and the digit segment that names a Japanese Infoseek search.
#pragma once

#include <optional>
#include <string_view>

namespace corvisant {

// The value of key (written with its "=", such as "search=") in url: found where key stands right
// after a "?" or a "&" (other places are passed over), it runs to the next "&" or the end.
std::optional<std::string_view> QueryValue(std::string_view url, std::string_view key);

// The decimal number at the start of key's value (a sign, then digits; 0 when there are none),
// or fallback when url has no such key. Held far inside the range of the sums made of it, so
// that a huge number in a URL never overflows the next page's arithmetic.
long long QueryNumber(std::string_view url, std::string_view key, long long fallback);

// The text between the last "/" of url and its "?", when url has a "?" and that text is two or
// more characters, all digits 0 to 9.
std::optional<std::string_view> DigitSegment(std::string_view url);

}  // namespace corvisant
