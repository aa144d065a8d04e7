#include "html/entities.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "html/html_text.h"

namespace corvisant {

const std::array<HtmlEntity, kHtmlEntityCount> kHtmlEntities = {{
    {"lt", 60},      {"LT", 60},      {"gt", 62},      {"GT", 62},      {"amp", 38},
    {"AMP", 38},     {"quot", 34},    {"QUOT", 34},    {"nbsp", 160},   {"iexcl", 161},
    {"cent", 162},   {"pound", 163},  {"curren", 164}, {"yen", 165},    {"brvbar", 166},
    {"sect", 167},   {"uml", 168},    {"copy", 169},   {"ordf", 170},   {"laquo", 171},
    {"not", 172},    {"shy", 173},    {"reg", 174},    {"hibar", 175},  {"deg", 176},
    {"plusmn", 177}, {"sup2", 178},   {"sup3", 179},   {"acute", 180},  {"micro", 181},
    {"para", 182},   {"middot", 183}, {"cedil", 184},  {"sup1", 185},   {"ordm", 186},
    {"raquo", 187},  {"frac14", 188}, {"frac12", 189}, {"frac34", 190}, {"iquest", 191},
    {"Agrave", 192}, {"Aacute", 193}, {"Acirc", 194},  {"Atilde", 195}, {"Auml", 196},
    {"Aring", 197},  {"AElig", 198},  {"Ccedil", 199}, {"Egrave", 200}, {"Eacute", 201},
    {"Ecirc", 202},  {"Euml", 203},   {"Igrave", 204}, {"Iacute", 205}, {"Icirc", 206},
    {"Iuml", 207},   {"ETH", 208},    {"Ntilde", 209}, {"Ograve", 210}, {"Oacute", 211},
    {"Ocirc", 212},  {"Otilde", 213}, {"Ouml", 214},   {"times", 215},  {"Oslash", 216},
    {"Ugrave", 217}, {"Uacute", 218}, {"Ucirc", 219},  {"Uuml", 220},   {"Yacute", 221},
    {"THORN", 222},  {"szlig", 223},  {"agrave", 224}, {"aacute", 225}, {"acirc", 226},
    {"atilde", 227}, {"auml", 228},   {"aring", 229},  {"aelig", 230},  {"ccedil", 231},
    {"egrave", 232}, {"eacute", 233}, {"ecirc", 234},  {"euml", 235},   {"igrave", 236},
    {"iacute", 237}, {"icirc", 238},  {"iuml", 239},   {"eth", 240},    {"ntilde", 241},
    {"ograve", 242}, {"oacute", 243}, {"ocirc", 244},  {"otilde", 245}, {"ouml", 246},
    {"divide", 247}, {"oslash", 248}, {"ugrave", 249}, {"uacute", 250}, {"ucirc", 251},
    {"uuml", 252},   {"yacute", 253}, {"thorn", 254},  {"yuml", 255},
}};

namespace {

constexpr std::size_t kLongestEntityName = 6;  // "curren", "plusmn", "Agrave", ...
constexpr unsigned kByteMask = 0xFF;
constexpr unsigned kDecimalBase = 10;

// The table's entries ordered by name, so that a look-up is a binary search; the names are all
// different, so the order of the table itself does not decide anything.
const std::array<const HtmlEntity*, kHtmlEntityCount>& EntitiesByName() {
  static const std::array<const HtmlEntity*, kHtmlEntityCount> sorted = [] {
    std::array<const HtmlEntity*, kHtmlEntityCount> entries{};
    for (std::size_t i = 0; i < kHtmlEntityCount; ++i) entries[i] = &kHtmlEntities[i];
    std::sort(entries.begin(), entries.end(), [](const HtmlEntity* a, const HtmlEntity* b) {
      return std::strcmp(a->name, b->name) < 0;
    });
    return entries;
  }();
  return sorted;
}

// How a reference ended: at a ";", at a white-space character, or at the end of the text.
enum class Ending { kSemicolon, kSpace, kEndOfText };

// Low eight bits of the decimal number at the start of digits, read as the C library reads a
// number (an optional sign, then digits); 0 when there is none. Arithmetic wraps, so a long run
// of digits keeps its low bits instead of overflowing.
unsigned char NumberCode(std::string_view digits) {
  std::size_t at = 0;
  bool negative = false;
  if (at < digits.size() && (digits[at] == '-' || digits[at] == '+')) {
    negative = digits[at] == '-';
    ++at;
  }
  std::uint32_t value = 0;
  for (; at < digits.size() && IsHtmlDigit(digits[at]); ++at) {
    value = value * kDecimalBase + static_cast<std::uint32_t>(digits[at] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<unsigned char>(value & kByteMask);
}

std::size_t LeadingDigits(std::string_view text) {
  std::size_t count = 0;
  while (count < text.size() && IsHtmlDigit(text[count])) ++count;
  return count;
}

bool OpensReference(const char* text, std::size_t at, std::size_t length) {
  return text[at] == '&' && at + 1 < length && (IsHtmlLetter(text[at + 1]) || text[at + 1] == '#');
}

}  // namespace

unsigned char EntityCode(std::string_view name) {
  if (name.empty() || name.size() > kLongestEntityName) return 0;
  const auto& sorted = EntitiesByName();
  auto found = std::lower_bound(
      sorted.begin(), sorted.end(), name,
      [](const HtmlEntity* entry, std::string_view key) { return key.compare(entry->name) > 0; });
  if (found == sorted.end() || name != (*found)->name) return 0;
  return (*found)->code;
}

std::size_t DecodeEntities(char* text, std::size_t length) {
  // Nothing moves before the first "&", which most texts never have.
  const void* firstAmpersand = std::memchr(text, '&', length);
  if (firstAmpersand == nullptr) return length;
  std::size_t read = static_cast<std::size_t>(static_cast<const char*>(firstAmpersand) - text);
  std::size_t write = read;
  // The first ";" or white-space character at or after some earlier position. Each reference
  // ends at the first one after its "&", so one found for an earlier "&" serves every later
  // "&" before it; keeping it makes the pass linear even for "&#1&#1&#1...".
  std::size_t stop = 0;
  while (read < length) {
    if (!OpensReference(text, read, length)) {
      text[write++] = text[read++];
      continue;
    }
    if (stop <= read) {
      stop = read + 1;
      while (stop < length && text[stop] != ';' && !IsHtmlSpace(text[stop])) ++stop;
    }
    Ending ending = stop == length ? Ending::kEndOfText
                                   : (text[stop] == ';' ? Ending::kSemicolon : Ending::kSpace);
    std::string_view body(text + read + 1, stop - read - 1);
    // Where reading goes on after a reference that was decoded: a ";" is consumed, a white-space
    // character is kept, and a reference at the end resumes after what matched.
    std::size_t resume = ending == Ending::kSemicolon ? stop + 1 : stop;
    unsigned char code = 0;
    if (body[0] == '#') {
      std::string_view number = body.substr(1);
      if (ending == Ending::kEndOfText) {
        std::size_t digits = LeadingDigits(number);
        code = NumberCode(number.substr(0, digits));
        resume = read + 2 + digits;
      } else {
        code = NumberCode(number);
      }
    } else {
      code = EntityCode(body);
    }
    if (code == 0) {
      // Unknown: the "&" stays, and the rest of the reference is copied as text.
      text[write++] = text[read++];
      continue;
    }
    text[write++] = static_cast<char>(code);
    read = resume;
  }
  return write;
}

char* DecodeEntities(char* text) {
  if (text == nullptr) return text;
  text[DecodeEntities(text, std::strlen(text))] = '\0';
  return text;
}

void DecodeEntities(std::string& text) { text.resize(DecodeEntities(text.data(), text.size())); }

}  // namespace corvisant
