// Reading the attributes of a tag's text ("a href=\"x.html\" target=main"). Values are copied as
// they stand: the tag text was entity-decoded when the page was scanned.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvisant {

// The value NextAttribute gives an attribute written without "=".
constexpr const char* kValuelessAttribute = "1";
// The value start NextAttribute reports for an attribute written without "=".
constexpr std::size_t kNoValue = std::string_view::npos;

// Reads the attribute at *cursor in text: its name runs from the first non-white-space character
// to the first "=", white-space character or end; a value follows after a run of white space and
// "=" characters holding an "=", either double-quoted (up to the next double quote or the end;
// single quotes are not special) or up to the next white-space character. Returns the value (the
// text "1" when there is no "="), sets the positions of the name and the value's first character
// (kNoValue when there is none) and moves *cursor past what was read. Returns nothing, and leaves
// the positions alone, when only white space is left.
std::optional<std::string> NextAttribute(std::string_view text, std::size_t* cursor,
                                         std::size_t* nameStart, std::size_t* nameEnd,
                                         std::size_t* valueStart);

// The value of the first attribute of tagText whose name equals attrName, A-Z folded. The first
// skip.size() characters are passed over before attributes are read (callers pass the tag name,
// or an empty text so that the tag name is read as a first, value-less attribute).
// *valueOffset receives the position of the value's first character counted from the end of the
// skipped part. Nothing is found when tagText ends within or right at the end of the skipped
// part, when no attribute has the name, and when the first attribute with the name is written
// without a value: only values have a place in the text that a caller could replace.
std::optional<std::string> FindAttribute(std::string_view tagText, std::string_view skip,
                                         std::string_view attrName, std::size_t* valueOffset);

}  // namespace corvisant
