// The reader of the URL echo item that the browser pokes to this system's server for every
// document it displays: a quoted URL, then a quoted MIME type, then fields not read here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvisant {

// The longest URL taken from an echo; the rest of a longer one is dropped.
constexpr std::size_t kEchoUrlMax = 1025;

struct UrlEcho {
  // Every backslash of the item's URL is a "/" here, except one escaping a double quote.
  std::string url;
  // The text of the MIME field up to its closing quote; none when the item has no such field.
  std::optional<std::string> mime;
};

// None for an empty item (text ends at its first NUL).
std::optional<UrlEcho> ReadUrlEcho(std::string_view item);

}  // namespace corvisant
