// The title of a page: the text that follows its first title tag. The rewrite of a stored page
// takes it as it goes; the Domain View reads it alone from the head of a stored file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "html/html_token.h"

namespace corvisant {

// The longest title kept, and how much of a stored file ExtractTitle reads.
constexpr std::size_t kMaxTitleLength = 1024;
constexpr std::size_t kTitleReadLimit = 512;

// A title made from a title tag's text: cut to kMaxTitleLength, leading white space removed,
// and every carriage return or line feed turned into a space, so that the one-line texts of the
// history and the lists can hold it.
std::string TitleFromText(std::string_view text);

// The title that the token after titleTag gives: its text when it is a text run, else nothing.
// False when there is none.
bool TitleAfter(const HtmlToken& titleTag, std::string* title);

// The title of the stored file named relativeName (a store name with "/" separators): the text
// after the first title tag within its first kTitleReadLimit bytes, or empty. A file that cannot
// be opened is reported (40009) with its full path, a short read (40010) and the title taken
// from what was read. Always returns 0.
int ExtractTitle(std::string_view relativeName, std::string* title);

}  // namespace corvisant
