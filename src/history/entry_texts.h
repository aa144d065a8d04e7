// The texts of one visit in a list data file: the URL, a carriage return, the title, a carriage
// return. Texts carry no lengths, so a carriage return inside one would split it; the writer
// keeps them out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_stream.h"

namespace corvisant {

// The byte that ends each text.
constexpr char kTextEnd = '\r';
// The longest text a reader keeps; the rest of a longer one is passed over.
constexpr std::size_t kTextReadMax = 1536;

// The URL as it is stored: each carriage return written "%0D", which names the same byte.
std::string UrlForDataFile(std::string_view url);
// The title as it is stored: each carriage return becomes a space, as a line break shows.
std::string TitleForDataFile(std::string_view title);

// Appends both texts (already made safe) at the end of stream and flushes it. Returns the offset
// of the URL, or -1 when the texts could not be written whole or lie beyond a 32-bit offset.
std::int64_t AppendEntryTexts(FileStream& stream, std::string_view url, std::string_view title);

// Reads the two texts that start at offset. False when either does not end with its carriage
// return before the end of the file (an offset past the end, a file cut inside a text).
bool ReadEntryTexts(FileStream& stream, std::uint32_t offset, std::string* url, std::string* title);

}  // namespace corvisant
