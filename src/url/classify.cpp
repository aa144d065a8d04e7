#include "url/classify.h"

#include <algorithm>
#include <array>

#include "platform/message_ids.h"
#include "platform/ports.h"
#include "platform/report.h"
#include "url/text_helpers.h"

namespace corvisant {
namespace {

constexpr std::array<std::string_view, 4> kNavigableSchemes = {"http", "shttp", "ftp", "file"};
constexpr std::array<std::string_view, 10> kBinaryExtensions = {"Z",   "gz",  "ps",  "hqx", "bin",
                                                                "pdf", "sit", "lha", "sea", "tar"};
constexpr std::array<std::string_view, 2> kWebSchemes = {"http", "shttp"};
constexpr std::array<std::string_view, 7> kPageExtensions = {"html", "htm",  "shtml", "shtm",
                                                             "txt",  "text", "asp"};
constexpr std::array<std::string_view, 23> kNonPageExtensions = {
    "gif", "jpg", "jpeg", "jpe", "xbm", "tif", "wav", "au",  "mid", "js", "z", "gz",
    "ps",  "hqx", "bin",  "pdf", "sit", "lha", "sea", "tar", "h",   "c",  "cp"};
constexpr std::array<std::string_view, 7> kImageExtensions = {"gif", "jpg", "jpeg", "jpe",
                                                              "xbm", "tif", "png"};
constexpr std::array<std::string_view, 2> kImageMapMarkers = {".gif?", ".gif^"};
constexpr std::array<std::string_view, 2> kImageMapClicks = {"?11,9", "^11,9"};
constexpr std::array<std::string_view, 4> kHtmlMarkers = {"<html>", "<title>", "<head>", "<body>"};
constexpr std::string_view kFileScheme = "file";
constexpr std::string_view kFtpScheme = "ftp";
constexpr std::string_view kFilePrefix = "file:";
constexpr std::string_view kNewsPrefix = "news:";
constexpr std::string_view kMailtoPrefix = "mailto:";
// The classifiers look at no more of an extension than this.
constexpr std::size_t kMaxExtension = 200;
// The bytes of a file that are sniffed for HTML.
constexpr std::size_t kSniffBytes = 256;

template <std::size_t N>
bool EqualsOne(std::string_view text, const std::array<std::string_view, N>& table) {
  for (std::string_view entry : table) {
    if (text == entry) return true;
  }
  return false;
}

template <std::size_t N>
bool BeginsWithOne(std::string_view text, const std::array<std::string_view, N>& table) {
  for (std::string_view entry : table) {
    if (StartsWith(text, entry)) return true;
  }
  return false;
}

// The extension the classifiers look at: after the last "." of the whole text, lower-cased, at
// most kMaxExtension bytes, optionally cut at its first "#". False when the text has no ".".
bool Extension(std::string_view url, bool cutAtFragment, std::string* extension) {
  std::size_t dot = url.rfind('.');
  if (dot == std::string_view::npos) return false;
  extension->assign(url.substr(dot + 1, kMaxExtension));
  LowerCaseInPlace(*extension);
  if (cutAtFragment) extension->resize(std::min(extension->size(), extension->find('#')));
  return true;
}

}  // namespace

bool IsNavigableUrl(std::string_view url) {
  std::size_t colon = url.find(':');
  if (colon == std::string_view::npos || !EqualsOne(url.substr(0, colon), kNavigableSchemes)) {
    return false;
  }
  std::size_t dot = url.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return true;
  // Compared as written: the entry "Z" is an upper-case Z only.
  return !BeginsWithOne(url.substr(dot + 1, kMaxExtension), kBinaryExtensions);
}

bool IsWebScheme(std::string_view scheme) { return EqualsOne(scheme, kWebSchemes); }
bool HasWebPrefix(std::string_view url) { return BeginsWithOne(url, kWebSchemes); }
bool IsFtpScheme(std::string_view scheme) { return scheme == kFtpScheme; }
bool IsFileScheme(std::string_view scheme) { return scheme == kFileScheme; }
bool HasFilePrefix(std::string_view url) { return StartsWith(url, kFilePrefix); }

bool IsNewsOrMailto(std::string_view url) {
  return StartsWith(url, kNewsPrefix) || StartsWith(url, kMailtoPrefix);
}

bool IsImageMapQuery(std::string_view url) {
  std::string lowered(url);
  LowerCaseInPlace(lowered);
  for (std::string_view marker : kImageMapMarkers) {
    if (lowered.find(marker) != std::string::npos) return true;
  }
  return false;
}

bool IsForeignImageMapQuery(std::string_view url) {
  for (std::string_view click : kImageMapClicks) {
    if (EndsWith(url, click)) return false;
  }
  return IsImageMapQuery(url);
}

bool MayBeHtml(std::string_view url) {
  std::string extension;
  return !Extension(url, true, &extension) || !EqualsOne(extension, kNonPageExtensions);
}

bool IsPageUrl(std::string_view url) {
  std::string extension;
  if (EndsWith(url, "/") || !Extension(url, true, &extension)) return true;
  return BeginsWithOne(extension, kPageExtensions);
}

bool IsImageUrl(std::string_view url) {
  std::string extension;
  return Extension(url, false, &extension) && EqualsOne(extension, kImageExtensions);
}

bool IsHtmlFile(const std::string& path) {
  if (!MayBeHtml(path)) return false;
  StreamPtr stream = Current<Files>()->Open(path, "rb");
  if (stream == nullptr) return false;
  std::int64_t size = stream->Size();
  std::size_t wanted = size < 0 ? 0 : std::min(static_cast<std::size_t>(size), kSniffBytes);
  std::string head(wanted, '\0');
  std::size_t got = stream->Read(head.data(), wanted);
  if (got < wanted) {
    Report(kReportNonFatal, kReportClosesAfter5s, message::kCantReadFile,
           {path, stream->ErrorFlag()});
    head.resize(got);
  }
  LowerCaseInPlace(head);
  for (std::string_view marker : kHtmlMarkers) {
    if (head.find(marker) != std::string::npos) return true;
  }
  return false;
}

bool IsHtmlFileIn(std::string_view directory, std::string_view name) {
  return IsHtmlFile(std::string(directory) + "\\" + std::string(name));
}

}  // namespace corvisant
