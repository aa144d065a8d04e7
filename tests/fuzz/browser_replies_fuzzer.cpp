// Every reader of the browser's replies and echo items on any bytes: nothing is read beyond the
// bytes given (ASan), every result stays within its cap and is made of the reply's own bytes, and
// a plain URL quoted into an echo item or a window-info reply comes back as it went in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "browser/reply_readers.h"
#include "browser/url_echo.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

using namespace corvisant;

using fuzzing::Check;

void CheckReplyReaders(std::string_view bytes) {
  for (int version : {0, 3, 4}) {
    std::string title = ReadTitleReply(bytes, version);
    Check(title.size() <= kBrowserTitleMax);
    Check(bytes.substr(0, kBrowserTitleMax).find(title) != std::string_view::npos);
  }
  Check(ReadUrlReply(bytes).size() < kUrlReplyMax);
  std::vector<std::uint32_t> ids;
  ReadWindowList(bytes, ids);
  Check(ids.size() <= bytes.size() / 4);
  for (std::uint32_t id : ids) Check(id != 0);
  std::uint32_t window = ReadSaveReply(std::string(bytes));
  Check(bytes.size() >= 4 || window == 0);
}

void CheckEcho(std::string_view bytes) {
  std::optional<UrlEcho> echo = ReadUrlEcho(bytes);
  Check(echo.has_value() == (!bytes.empty() && bytes[0] != '\0'));
  if (!echo) return;
  Check(echo->url.size() <= kEchoUrlMax);
  Check(echo->url.find('\\') == std::string::npos);
  if (echo->mime) Check(echo->mime->find('"') == std::string::npos);
}

// A URL without quotes, backslashes or NULs survives quoting.
void CheckRoundTrip(std::string_view bytes) {
  if (bytes.find_first_of(std::string_view("\"\\\0", 3)) != std::string_view::npos) return;
  std::string url(bytes.substr(0, kEchoUrlMax));
  std::optional<UrlEcho> echo = ReadUrlEcho("\"" + url + "\",\"text/html\",\"x\"");
  Check(echo && echo->url == url && echo->mime == "text/html");
  Check(ReadUrlReply("\"" + url + "\",\"title\"") == url.substr(0, kUrlReplyMax - 1));
  std::string info = "\"u\",\"" + url + "\"";
  if (info.size() <= kBrowserTitleMax) Check(ReadTitleReply(info, 4) == url);
}

}  // namespace

CORVISANT_FUZZ_TARGET(browser_replies) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckReplyReaders(bytes);
  CheckEcho(bytes);
  CheckRoundTrip(bytes);
}
