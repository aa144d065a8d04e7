#ifndef STANDIN_CORE_DDE_TEXT_H_
#define STANDIN_CORE_DDE_TEXT_H_

// The texts and byte layouts of the browser's DDE topics: request items in, replies and echo
// items out.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "standin/core/browser_types.h"

namespace standin {

// The places of an argument list: separated by commas; a place in double quotes may hold commas,
// and \" inside the quotes is a quote (any other backslash stands for itself). Quotes are
// removed.
std::vector<std::string> SplitPlaces(std::string_view item);

// A window id place: "-1" (any negative number wraps to 32 bits) or a decimal id. An empty
// place means the last active window.
std::optional<WindowId> ParseWindowId(std::string_view place);

// The open flags that matter here: a save; the others (reload bits) need no cache to bypass.
inline constexpr std::uint32_t kSaveToFileFlag = 4;

struct OpenUrlRequest {
  std::string url;
  std::string file;
  WindowId window = kLastActiveWindow;
  std::uint32_t flags = 0;
  std::string form_data;
  std::string mime;
  std::string progress_server;
  bool is_save() const { return (flags & kSaveToFileFlag) != 0; }
};

// "URL","FILE",WINDOW,FLAGS,"FORM","MIME","PROGRESS"; nothing when the URL is missing or a
// number does not read.
std::optional<OpenUrlRequest> ParseOpenUrl(std::string_view item);

// A save URL arrives with its commas and spaces as %2c and %20; nothing else is decoded.
std::string DecodeCommaSpace(std::string_view url);

// A 32-bit number as 4 little-endian bytes (window ids, the version).
std::string Uint32Bytes(std::uint32_t value);

// The ids followed by a 0 id.
std::string WindowListReply(const std::vector<WindowId>& ids);

// Version 4: "URL","TITLE". Version 3: "URL","Netscape - [TITLE]". Text with its terminator.
std::string WindowInfoReply(int version, std::string_view url, std::string_view title);

// "URL","MIME",ID as the browser pokes it to an echo server.
std::string EchoItem(std::string_view url, std::string_view mime, WindowId id);

// A title as the browser puts it in a window caption.
std::string WindowCaption(int version, std::string_view title);

}  // namespace standin

#endif  // STANDIN_CORE_DDE_TEXT_H_
