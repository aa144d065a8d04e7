#include "standin/core/dde_text.h"

#include <algorithm>
#include <charconv>

namespace standin {
namespace {

constexpr std::string_view kBrowserName = "Netscape";
constexpr int kBytesPerId = 4;
constexpr int kBitsPerByte = 8;

enum Place { kUrl, kFile, kWindow, kFlags, kFormData, kMime, kProgressServer, kPlaceCount };

// "..." with quotes and backslashes escaped, as window information is read back.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

bool ParseFlags(std::string_view place, std::uint32_t* flags) {
  if (place.empty()) return true;
  auto [stop, failure] = std::from_chars(place.data(), place.data() + place.size(), *flags);
  return failure == std::errc() && stop == place.data() + place.size();
}

}  // namespace

std::vector<std::string> SplitPlaces(std::string_view item) {
  std::vector<std::string> places(1);
  bool quoted = false;
  for (std::size_t i = 0; i < item.size(); ++i) {
    const char c = item[i];
    // Only a quote is escaped: the paths of save requests come with single backslashes.
    if (quoted && c == '\\' && i + 1 < item.size() && item[i + 1] == '"') {
      places.back() += item[++i];
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      places.emplace_back();
    } else {
      places.back() += c;
    }
  }
  return places;
}

std::optional<WindowId> ParseWindowId(std::string_view place) {
  if (place.empty()) return kLastActiveWindow;
  std::int64_t value = 0;
  auto [stop, failure] = std::from_chars(place.data(), place.data() + place.size(), value);
  if (failure != std::errc() || stop != place.data() + place.size()) return std::nullopt;
  return static_cast<WindowId>(value);
}

std::optional<OpenUrlRequest> ParseOpenUrl(std::string_view item) {
  std::vector<std::string> places = SplitPlaces(item);
  places.resize(std::max<std::size_t>(places.size(), kPlaceCount));
  OpenUrlRequest request;
  std::optional<WindowId> window = ParseWindowId(places[kWindow]);
  if (places[kUrl].empty() || !window || !ParseFlags(places[kFlags], &request.flags)) {
    return std::nullopt;
  }
  request.url = places[kUrl];
  request.file = places[kFile];
  request.window = *window;
  request.form_data = places[kFormData];
  request.mime = places[kMime];
  request.progress_server = places[kProgressServer];
  return request;
}

std::string DecodeCommaSpace(std::string_view url) {
  std::string out;
  for (std::size_t i = 0; i < url.size(); ++i) {
    std::string_view escape = url.substr(i, 3);
    if (escape == "%2c" || escape == "%2C" || escape == "%20") {
      out += escape == "%20" ? ' ' : ',';
      i += 2;
    } else {
      out += url[i];
    }
  }
  return out;
}

std::string Uint32Bytes(std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < kBytesPerId; ++i) {
    bytes += static_cast<char>((value >> (i * kBitsPerByte)) & 0xFF);
  }
  return bytes;
}

std::string WindowListReply(const std::vector<WindowId>& ids) {
  std::string bytes;
  for (WindowId id : ids) bytes += Uint32Bytes(id);
  return bytes + Uint32Bytes(0);
}

std::string WindowInfoReply(int version, std::string_view url, std::string_view title) {
  // Version 3 gives the caption; its readers take the title from between the brackets.
  std::string shown_title = std::string(title);
  if (version < 4) shown_title = std::string(kBrowserName) + " - [" + shown_title + "]";
  return Quoted(url) + "," + Quoted(shown_title) + std::string(1, '\0');
}

std::string EchoItem(std::string_view url, std::string_view mime, WindowId id) {
  std::string quoted_url;
  for (char c : url) {
    if (c == '"') quoted_url += '\\';
    quoted_url += c;
  }
  return "\"" + quoted_url + "\",\"" + std::string(mime) + "\"," + std::to_string(id);
}

std::string WindowCaption(int version, std::string_view title) {
  if (title.empty()) return std::string(kBrowserName);
  if (version < 4) return std::string(kBrowserName) + " - [" + std::string(title) + "]";
  return std::string(title) + " - " + std::string(kBrowserName);
}

}  // namespace standin
