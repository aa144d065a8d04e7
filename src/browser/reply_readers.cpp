#include "browser/reply_readers.h"

#include "browser/item_texts.h"

namespace corvisant {
namespace {

constexpr std::size_t kIdBytes = 4;
// The window id of a save reply that names no window.
constexpr std::uint32_t kNoWindow = 0;
constexpr unsigned kBitsPerByte = 8;
constexpr char kQuote = '"';
constexpr char kEscape = '\\';

// The text of a reply as a C string holds it: at most max bytes, up to the first NUL.
std::string_view ReplyText(std::string_view reply, std::size_t max) {
  std::string_view text = reply.substr(0, max);
  return text.substr(0, text.find('\0'));
}

std::string_view Between(std::string_view text, std::size_t open, std::size_t close) {
  return text.substr(open + 1, close - open - 1);
}

std::string_view BracketedTitle(std::string_view text) {
  std::size_t open = text.find('[');
  if (open == std::string_view::npos) return text;
  std::size_t close = text.find(']', open + 1);
  if (close == std::string_view::npos) return text;
  return Between(text, open, close);
}

// The end of the leading quoted URL: the first quote after the first character that does not
// follow a backslash.
std::size_t EndOfQuotedUrl(std::string_view text) {
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == kQuote && text[i - 1] != kEscape) return i;
  }
  return std::string_view::npos;
}

std::string_view QuotedTitle(std::string_view text) {
  std::size_t urlEnd = EndOfQuotedUrl(text);
  if (urlEnd == std::string_view::npos) return text;
  std::size_t open = text.find(kQuote, urlEnd + 1);
  if (open == std::string_view::npos) return text;
  std::size_t close = text.find(kQuote, open + 1);
  if (close == std::string_view::npos) return text;
  return Between(text, open, close);
}

std::uint32_t LittleEndianId(std::string_view bytes, std::size_t offset) {
  std::uint32_t id = 0;
  for (std::size_t i = kIdBytes; i-- > 0;) {
    id = (id << kBitsPerByte) | static_cast<unsigned char>(bytes[offset + i]);
  }
  return id;
}

}  // namespace

std::string ReadTitleReply(std::string_view reply, int browserVersion) {
  std::string_view text = ReplyText(reply, kBrowserTitleMax);
  return std::string(browserVersion < kQuotedWindowInfoVersion ? BracketedTitle(text)
                                                               : QuotedTitle(text));
}

std::string ReadUrlReply(std::string_view reply) {
  std::string_view text = ReplyText(reply, kUrlReplyMax);
  std::string url;
  for (std::size_t i = 1; i < text.size() && text[i] != kQuote; ++i) {
    if (text[i] == kEscape && ++i == text.size()) break;
    url += text[i];
  }
  return url;
}

void ReadWindowList(std::string_view reply, std::vector<std::uint32_t>& list) {
  for (std::size_t offset = 0; offset + kIdBytes <= reply.size(); offset += kIdBytes) {
    std::uint32_t id = LittleEndianId(reply, offset);
    if (id == 0) return;
    list.push_back(id);
  }
}

std::uint32_t ReadSaveReply(const DdeReply& reply) {
  if (!reply || reply->size() < kIdBytes) return 0;
  return LittleEndianId(*reply, 0);
}

int SaveResult(std::uint32_t window) {
  return window == kNoWindow || window == kLastActiveWindow ? -1 : 0;
}

}  // namespace corvisant
