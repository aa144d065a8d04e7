#include "html/tag_table.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "html/html_text.h"

namespace corvisant {

namespace {
constexpr int kIgnored = tag_id::kIgnored;
}  // namespace

const std::array<HtmlTagEntry, kHtmlTagCount> kHtmlTags = {{
    {"a", tag_id::kAnchor, false},
    {"html", kIgnored, true},
    {"title", tag_id::kTitle, true},
    {"tt", kIgnored, false},
    {"b", kIgnored, false},
    {"i", kIgnored, false},
    {"em", kIgnored, false},
    {"code", kIgnored, false},
    {"samp", kIgnored, false},
    {"kbd", kIgnored, false},
    {"var", kIgnored, false},
    {"cite", kIgnored, false},
    {"strike", kIgnored, false},
    {"h1", kIgnored, false},
    {"h2", kIgnored, false},
    {"h3", kIgnored, false},
    {"h4", kIgnored, false},
    {"h5", kIgnored, false},
    {"h6", kIgnored, false},
    {"address", kIgnored, false},
    {"xmp", kIgnored, false},
    {"listing", kIgnored, false},
    {"plaintext", kIgnored, false},
    {"p", kIgnored, false},
    {"ol", kIgnored, false},
    {"menu", kIgnored, false},
    {"dir", kIgnored, false},
    {"li", kIgnored, false},
    {"dl", kIgnored, false},
    {"dd", kIgnored, false},
    {"pre", kIgnored, false},
    {"blockquote", kIgnored, false},
    {"isindex", kIgnored, false},
    {"br", kIgnored, false},
    {"select", kIgnored, false},
    {"option", kIgnored, false},
    {"form", kIgnored, false},
    {"sup", kIgnored, false},
    {"sub", kIgnored, false},
    {"textarea", kIgnored, false},
    {"head", kIgnored, true},
    {"u", kIgnored, false},
    {"caption", kIgnored, false},
    {"strong", tag_id::kStrong, false},
    {"dt", tag_id::kDefinitionTerm, false},
    {"ul", tag_id::kUnorderedList, false},
    {"hr", tag_id::kRule, false},
    {"input", tag_id::kInput, false},
    {"base", tag_id::kBase, false},
    {"img", tag_id::kImage, false},
    {"fig", tag_id::kFigure, false},
    {"body", tag_id::kBody, true},
    {"table", tag_id::kTable, false},
    {"tr", tag_id::kTableRow, false},
    {"th", tag_id::kTableHeader, false},
    {"td", tag_id::kTableData, false},
    {"area", tag_id::kArea, false},
    {"frameset", tag_id::kFrameset, false},
    {"frame", tag_id::kFrame, false},
    {"noframes", tag_id::kNoFrames, false},
    {"noframe", tag_id::kNoFrames, false},
    {"meta", tag_id::kMeta, false},
    {"visit", tag_id::kVisit, false},
    {"embed", tag_id::kEmbed, false},
}};

namespace {

constexpr std::size_t kLetterCount = 26;

// For each first letter, the positions of the table's names that begin with it, in table order,
// so that a look-up compares only a handful of names and still finds the first equal one.
using LetterIndex = std::array<std::vector<std::uint8_t>, kLetterCount>;

const LetterIndex& TagsByFirstLetter() {
  static const LetterIndex index = [] {
    LetterIndex built;
    for (std::size_t i = 0; i < kHtmlTagCount; ++i) {
      built[static_cast<std::size_t>(kHtmlTags[i].name[0] - 'a')].push_back(
          static_cast<std::uint8_t>(i));
    }
    return built;
  }();
  return index;
}

}  // namespace

int TagIdOf(std::string_view tagText, int* looksLikeHtml) {
  std::size_t nameLength = 0;
  while (nameLength < tagText.size() && !IsHtmlSpace(tagText[nameLength])) ++nameLength;
  std::string_view name = tagText.substr(0, nameLength);
  if (name.empty() || !IsHtmlLetter(name[0])) return tag_id::kUnknown;
  for (std::uint8_t position : TagsByFirstLetter()[LowerAscii(name[0]) - 'a']) {
    const HtmlTagEntry& entry = kHtmlTags[position];
    if (!EqualsNoCase(name, entry.name)) continue;
    if (entry.marksHtml && looksLikeHtml != nullptr) *looksLikeHtml = 1;
    return entry.id;
  }
  return tag_id::kUnknown;
}

int TagIdOf(const char* name, int* looksLikeHtml) {
  if (name == nullptr) return tag_id::kText;
  return TagIdOf(std::string_view(name), looksLikeHtml);
}

}  // namespace corvisant
