// The readers of the browser's replies. A reply is whatever bytes came back: it may be short,
// unterminated, oversized or hold NULs; each reader gives its fallback and never reads beyond it.
// Text replies end at their first NUL, as the browser's C strings do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/dde_port.h"

namespace corvisant {

// The longest window title read from a reply, and the buffer that holds it with a terminator.
constexpr std::size_t kBrowserTitleMax = 512;
constexpr std::size_t kBrowserTitleBufferSize = kBrowserTitleMax + 1;
// How much of a window-info reply the URL reader looks at.
constexpr std::size_t kUrlReplyMax = 2049;
// From this browser version on, window info is a list of quoted strings (URL, title, ...);
// before it the title stands in square brackets, if anywhere.
constexpr int kQuotedWindowInfoVersion = 4;

// The title in a "WWW_GetWindowInfo" reply: the text between "[" and a later "]" for versions
// below 4, the second quoted string for later ones; the whole text when that form is not there.
std::string ReadTitleReply(std::string_view reply, int browserVersion);

// The URL in a "WWW_GetWindowInfo" reply: from the second character to a double quote or the
// end; a backslash takes the next character literally.
std::string ReadUrlReply(std::string_view reply);

// Appends the window ids of a "WWW_ListWindows" reply (32-bit little-endian, ended by a 0 id or
// the end of the reply; a trailing partial id is ignored).
void ReadWindowList(std::string_view reply, std::vector<std::uint32_t>& list);

// The window that took a save request: the reply's first 4 bytes; none, or fewer bytes, is 0.
std::uint32_t ReadSaveReply(const DdeReply& reply);
// -1 when the browser refused the save (window 0 or 0xFFFFFFFF), else 0.
int SaveResult(std::uint32_t window);

}  // namespace corvisant
