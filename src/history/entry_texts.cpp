#include "history/entry_texts.h"

#include <cstdio>
#include <limits>

#include "history/text_escapes.h"

namespace corvisant {
namespace {

constexpr std::string_view kEncodedTextEnd = "%0D";
constexpr std::string_view kTitleTextEndReplacement = " ";

// One text up to its end byte; keeps at most kTextReadMax bytes and passes over the rest, so
// that a long text never spills into the next one.
bool ReadText(FileStream& stream, std::string* text) {
  text->clear();
  for (;;) {
    int c = stream.GetChar();
    if (c == EOF) return false;
    if (c == kTextEnd) return true;
    if (text->size() < kTextReadMax) text->push_back(static_cast<char>(c));
  }
}

}  // namespace

std::string UrlForDataFile(std::string_view url) {
  return ReplaceEach(url, kTextEnd, kEncodedTextEnd);
}

std::string TitleForDataFile(std::string_view title) {
  return ReplaceEach(title, kTextEnd, kTitleTextEndReplacement);
}

std::int64_t AppendEntryTexts(FileStream& stream, std::string_view url, std::string_view title) {
  if (!stream.Seek(0, SeekFrom::kEnd)) return -1;
  std::int64_t offset = stream.Tell();
  if (offset < 0 || offset > std::numeric_limits<std::uint32_t>::max()) return -1;
  std::string texts;
  texts.reserve(url.size() + title.size() + 2);
  texts.append(url).push_back(kTextEnd);
  texts.append(title).push_back(kTextEnd);
  bool written = stream.WriteText(texts);
  // Flushing even after a short write keeps the stream usable for the next entry.
  bool flushed = stream.Flush();
  return written && flushed ? offset : -1;
}

bool ReadEntryTexts(FileStream& stream, std::uint32_t offset, std::string* url,
                    std::string* title) {
  if (!stream.Seek(static_cast<std::int64_t>(offset), SeekFrom::kStart)) return false;
  return ReadText(stream, url) && ReadText(stream, title);
}

}  // namespace corvisant
