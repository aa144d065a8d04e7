// The Finder's text search and its test of a stored page: does a page's local copy hold a word.
// The jump to the History uses the page test to find the page that shows a picture.
#pragma once

#include <string_view>

namespace corvisant {

// word occurs in text; without caseSensitive both are compared with A-Z folded.
bool TextContains(std::string_view text, std::string_view word, bool caseSensitive);

// The local copy of url (its store path, without the fragment) holds word in its raw bytes,
// tags included. An image URL, or a copy that is missing or cannot be read, holds nothing.
bool StoredPageContains(std::string_view url, std::string_view word, bool caseSensitive);

}  // namespace corvisant
