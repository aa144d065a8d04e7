// The fixed tag table: every tag the system acts on has a small id that the consumers of the
// token list (stored-page rewriting, auto navigation, the search-engine rider, Visit tags)
// compare against. The ids are shared values, not consecutive.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace corvisant {

namespace tag_id {
constexpr int kIgnored = -2;  // known, but nothing in the system looks at it
constexpr int kUnknown = -1;  // not in the table
constexpr int kText = 0;      // a text run, not a tag
constexpr int kTitle = 1;
constexpr int kAnchor = 8;
constexpr int kUnorderedList = 12;
constexpr int kDefinitionTerm = 16;
constexpr int kImage = 24;
constexpr int kStrong = 29;
constexpr int kInput = 37;
constexpr int kRule = 39;
constexpr int kBase = 41;
constexpr int kTable = 45;
constexpr int kTableHeader = 47;
constexpr int kTableRow = 48;
constexpr int kTableData = 49;
constexpr int kFigure = 52;
constexpr int kComment = 53;
constexpr int kBody = 56;
constexpr int kArea = 57;
constexpr int kFrameset = 58;
constexpr int kFrame = 59;
constexpr int kNoFrames = 60;
constexpr int kMeta = 61;
constexpr int kVisit = 62;
constexpr int kEmbed = 63;
}  // namespace tag_id

struct HtmlTagEntry {
  const char* name;  // lower case
  int id;
  bool marksHtml;  // seeing it tells that the page is HTML
};

constexpr std::size_t kHtmlTagCount = 64;
// Searched in this order; the first name equal to the tag name (A-Z folded) gives the id.
extern const std::array<HtmlTagEntry, kHtmlTagCount> kHtmlTags;

// The id of the tag whose text is name: the name is the text up to its first white-space
// character. kUnknown when it is not in the table; 0 for a null name. When the name is one of
// those that mark HTML and looksLikeHtml is given, *looksLikeHtml is set to 1 (never cleared).
int TagIdOf(const char* name, int* looksLikeHtml = nullptr);
int TagIdOf(std::string_view tagText, int* looksLikeHtml = nullptr);

}  // namespace corvisant
