// The path of a URL as a browser walks it: "\" separates like "/" (for the schemes that have
// hosts and paths, and for links without a scheme), and a segment "." or ".." (a dot also written
// "%2e", either case) is a step, not a name. Only the names before the query are walked: a "/" or
// a ".." in the query names nothing. The query begins at "?", or at "^" that stands for it in
// store form.
#include <vector>

#include "url/classify.h"
#include "url/url_parts.h"

namespace corvisant {
namespace {

constexpr std::string_view kQueryMarks = "?^";
constexpr char kSlash = '/';
constexpr char kBackslash = '\\';
constexpr std::string_view kParentStep = "..";
// Read as the web's by browsers, though it is no web scheme of the classifiers.
constexpr std::string_view kSecureWebScheme = "https";
constexpr std::string_view kCurrentDirectory = "./";
constexpr std::string_view kEncodedDot = "%2e";
constexpr int kParentSteps = 2;

bool IsSeparator(char c) { return c == kSlash || c == kBackslash; }

// 1 for a segment that reads as ".", 2 for "..", 0 for a name.
int DotsOf(std::string_view segment) {
  int dots = 0;
  while (!segment.empty() && dots <= kParentSteps) {
    if (segment.front() == '.') {
      segment.remove_prefix(1);
    } else if (segment.size() >= kEncodedDot.size() && segment[0] == kEncodedDot[0] &&
               segment[1] == kEncodedDot[1] && (segment[2] | 0x20) == kEncodedDot[2]) {
      segment.remove_prefix(kEncodedDot.size());
    } else {
      return 0;
    }
    ++dots;
  }
  return dots <= kParentSteps ? dots : 0;
}

// A scheme whose links a browser reads with "\" as "/": none, the web's, "ftp" and "file".
bool ReadsBackslashAsSlash(std::string_view url) {
  std::size_t colon = url.find(':');
  if (colon == std::string_view::npos || colon > url.find_first_of("/\\")) return true;
  std::string_view scheme = url.substr(0, colon);
  return scheme.empty() || IsWebScheme(scheme) || IsFtpScheme(scheme) || IsFileScheme(scheme) ||
         scheme == kSecureWebScheme;
}

}  // namespace

std::string WithSlashes(std::string_view url) {
  std::string read(url);
  if (!ReadsBackslashAsSlash(url)) return read;
  std::size_t end = read.find_first_of("?#");
  for (std::size_t i = 0; i < read.size() && i < end; ++i) {
    if (read[i] == kBackslash) read[i] = kSlash;
  }
  return read;
}

std::string RemoveDotSegments(std::string_view path, bool relative, int* climbs) {
  std::size_t query = path.find_first_of(kQueryMarks);
  std::string_view names = path.substr(0, query);
  bool named = !names.empty();
  bool rooted = !names.empty() && IsSeparator(names.front());
  if (rooted) names.remove_prefix(1);
  std::vector<std::string_view> kept;
  int leadingSteps = 0;
  int untaken = 0;
  for (bool last = false; !last;) {
    std::size_t end = names.find_first_of("/\\");
    last = end == std::string_view::npos;
    std::string_view segment = names.substr(0, end);
    if (!last) names.remove_prefix(end + 1);
    int dots = DotsOf(segment);
    if (dots == kParentSteps) {
      if (kept.size() > static_cast<std::size_t>(leadingSteps)) {
        kept.pop_back();
      } else {
        ++untaken;
        if (relative) {
          kept.push_back(kParentStep);
          ++leadingSteps;
        }
      }
    }
    if (dots == 0) kept.push_back(segment);
    // A path that ends in a step names a directory.
    if (dots != 0 && last) kept.push_back(std::string_view());
  }
  if (climbs != nullptr) *climbs = untaken;
  std::string walked(rooted ? 1 : 0, kSlash);
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) walked += kSlash;
    walked += kept[i];
  }
  // A relative path that walked back to where it started names that directory.
  if (relative && !rooted && walked.empty() && named) {
    walked = kCurrentDirectory;
  }
  if (query != std::string_view::npos) walked += path.substr(query);
  return walked;
}

}  // namespace corvisant
