#include "standin/core/page_scan.h"

#include <cctype>
#include <optional>

#include "standin/core/url_text.h"

namespace standin {
namespace {

constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCommentClose = "-->";

struct Entity {
  std::string_view name;
  char value;
};
constexpr Entity kEntities[] = {
    {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '},
};
constexpr int kDecimalBase = 10;
constexpr int kLargestByte = 255;

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// "&amp;" and "&#65;" and their kind; an unknown entity stays as written.
std::optional<char> DecodeEntity(std::string_view name) {
  if (name.size() > 1 && name[0] == '#') {
    int value = 0;
    for (char c : name.substr(1)) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
      value = value * kDecimalBase + (c - '0');
      if (value > kLargestByte) return std::nullopt;
    }
    return static_cast<char>(value);
  }
  for (const Entity& entity : kEntities) {
    if (entity.name == name) return entity.value;
  }
  return std::nullopt;
}

// Tags dropped, entities decoded, every run of white space one space, no space at the ends.
std::string PlainText(std::string_view html) {
  std::string out;
  bool pending_space = false;
  for (std::size_t i = 0; i < html.size(); ++i) {
    char c = html[i];
    if (c == '<') {
      std::size_t close = html.find('>', i);
      if (close == std::string_view::npos) break;
      i = close;
      continue;
    }
    if (c == '&') {
      std::size_t semicolon = html.find(';', i);
      std::optional<char> decoded;
      if (semicolon != std::string_view::npos)
        decoded = DecodeEntity(html.substr(i + 1, semicolon - i - 1));
      if (decoded) {
        c = *decoded;
        i = semicolon;
      }
    }
    if (IsSpace(c)) {
      pending_space = !out.empty();
      continue;
    }
    if (pending_space) out += ' ';
    pending_space = false;
    out += c;
  }
  return out;
}

// The value of an attribute inside one tag's text ("a href=x title='y'"), entities decoded.
std::optional<std::string> AttributeValue(std::string_view tag, std::string_view wanted) {
  std::size_t i = tag.find_first_of(" \t\r\n");
  while (i < tag.size()) {
    while (i < tag.size() && (IsSpace(tag[i]) || tag[i] == '/')) ++i;
    std::size_t name_end = tag.find_first_of(" \t\r\n=", i);
    std::string name = AsciiLower(tag.substr(i, name_end - i));
    i = name_end;
    while (i < tag.size() && IsSpace(tag[i])) ++i;
    std::string_view value;
    if (i < tag.size() && tag[i] == '=') {
      ++i;
      while (i < tag.size() && IsSpace(tag[i])) ++i;
      const bool quoted = i < tag.size() && (tag[i] == '"' || tag[i] == '\'');
      std::size_t end = quoted ? tag.find(tag[i], i + 1) : tag.find_first_of(" \t\r\n", i);
      std::size_t start = quoted ? i + 1 : i;
      value = tag.substr(start, end == std::string_view::npos ? end : end - start);
      i = end == std::string_view::npos ? tag.size() : end + (quoted ? 1 : 0);
    }
    if (name == wanted) return PlainText(value);
  }
  return std::nullopt;
}

std::string TagName(std::string_view tag) {
  std::size_t end = tag.find_first_of(" \t\r\n/");
  return AsciiLower(tag.substr(0, end));
}

}  // namespace

PageFacts ScanPage(std::string_view html, std::string_view page_url) {
  PageFacts facts;
  const std::string lower = AsciiLower(html);  // closing tags are found in any case
  bool have_title = false;
  std::size_t i = 0;
  while ((i = html.find('<', i)) != std::string_view::npos) {
    if (html.substr(i, kCommentOpen.size()) == kCommentOpen) {
      std::size_t close = html.find(kCommentClose, i);
      if (close == std::string_view::npos) break;
      i = close + kCommentClose.size();
      continue;
    }
    std::size_t close = html.find('>', i);
    if (close == std::string_view::npos) break;
    std::string_view tag = html.substr(i + 1, close - i - 1);
    const std::string name = TagName(tag);
    i = close + 1;
    if (name == "title" && !have_title) {
      std::size_t end = lower.find("</title", i);
      facts.title = PlainText(html.substr(i, end == std::string_view::npos ? end : end - i));
      have_title = true;
    } else if (name == "a") {
      std::optional<std::string> href = AttributeValue(tag, "href");
      if (!href) continue;
      std::size_t end = lower.find("</a", i);
      Link link{PlainText(html.substr(i, end == std::string_view::npos ? end : end - i)),
                ResolveUrl(page_url, *href)};
      if (link.text.empty()) link.text = link.url;
      facts.links.push_back(std::move(link));
    }
  }
  return facts;
}

}  // namespace standin
