// The small classification rules that decide what is recorded, rewritten or followed: is this a
// page, an image, a binary download, an image-map click.
#pragma once

#include <string>
#include <string_view>

namespace corvisant {

// The scheme is "http", "shttp", "ftp" or "file" and the extension does not begin with a binary
// extension ("Z", "gz", "ps", ...).
bool IsNavigableUrl(std::string_view url);
// scheme is "http" or "shttp".
bool IsWebScheme(std::string_view scheme);
// url begins with "http" or "shttp" (so https passes too).
bool HasWebPrefix(std::string_view url);
bool IsFtpScheme(std::string_view scheme);
bool IsFileScheme(std::string_view scheme);
// url begins with "file:".
bool HasFilePrefix(std::string_view url);
// url begins with "news:" or "mailto:".
bool IsNewsOrMailto(std::string_view url);
// The lower-cased url contains ".gif?" or ".gif^".
bool IsImageMapQuery(std::string_view url);
// An image-map click the page rewriter did not make: IsImageMapQuery, and url ends neither with
// "?11,9" nor with "^11,9".
bool IsForeignImageMapQuery(std::string_view url);
// No "." at all, or an extension that is not a non-page extension.
bool MayBeHtml(std::string_view url);
// Ends with "/", has no ".", or its extension begins with a page extension.
bool IsPageUrl(std::string_view url);
// The extension is exactly an image extension.
bool IsImageUrl(std::string_view url);
// MayBeHtml(path), and the file's first 256 bytes hold "<html>", "<title>", "<head>" or "<body>"
// (A-Z folded).
bool IsHtmlFile(const std::string& path);
bool IsHtmlFileIn(std::string_view directory, std::string_view name);

}  // namespace corvisant
