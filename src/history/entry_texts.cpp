#include "history/entry_texts.h"

#include <cstdio>
#include <iterator>
#include <limits>

#include "history/text_escapes.h"

namespace corvisant {
namespace {

constexpr std::string_view kEncodedTextEnd = "%0D";
constexpr std::string_view kTitleTextEndReplacement = " ";

constexpr std::size_t kReadChunk = 512;

// Reads the texts that follow the stream's position, each up to its end byte, a chunk at a time:
// an entry's two texts usually arrive in one read. Keeps at most kTextReadMax bytes of each and
// passes over the rest, so that a long text never spills into the next one.
bool ReadTexts(FileStream& stream, std::string* const* texts, std::size_t count) {
  char chunk[kReadChunk];
  std::size_t current = 0;
  texts[0]->clear();
  while (current < count) {
    std::size_t got = stream.Read(chunk, sizeof chunk);
    if (got == 0) return false;
    for (std::size_t i = 0; i < got && current < count; ++i) {
      if (chunk[i] == kTextEnd) {
        if (++current < count) texts[current]->clear();
      } else if (texts[current]->size() < kTextReadMax) {
        texts[current]->push_back(chunk[i]);
      }
    }
  }
  return true;
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
  std::string* const texts[] = {url, title};
  return ReadTexts(stream, texts, std::size(texts));
}

}  // namespace corvisant
