#ifndef STANDIN_CORE_DOCUMENTS_H_
#define STANDIN_CORE_DOCUMENTS_H_

// Where the stand-in's documents come from: the site directory (one folder per host), the
// network, the local disk, or its own built-in pages.

#include <optional>
#include <string>
#include <string_view>

#include "standin/core/host.h"

namespace standin {

inline constexpr std::string_view kBlankUrl = "about:blank";
inline constexpr std::string_view kHtmlMime = "text/html";

struct Document {
  std::string bytes;
  std::string mime;
  bool missing = false;  // the bytes are the "404 Not Found" page
};

// The MIME type a file name's extension stands for.
std::string MimeForName(std::string_view name);

// DIR\HOST[$PORT] for an http URL, and the path of the document below it (percent-decoded,
// index.html for a directory path); nothing for other URLs or a path that climbs out with "..".
struct SitePlace {
  std::string host_directory;
  std::string file;
};
std::optional<SitePlace> SitePlaceFor(std::string_view site_dir, std::string_view url);

// The disk path of a file: URL (file:///C|/x/y.html and file:///C:/x/y.html forms).
std::optional<std::string> DiskPathOfFileUrl(std::string_view url);

// The document a URL names, never failing: a missing one is the "404 Not Found" page.
Document LoadDocument(Host& host, std::string_view site_dir, std::string_view url);

}  // namespace standin

#endif  // STANDIN_CORE_DOCUMENTS_H_
