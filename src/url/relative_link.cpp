#include <algorithm>

#include "url/classify.h"
#include "url/store_names.h"
#include "url/text_helpers.h"
#include "url/url_parts.h"

namespace corvisant {
namespace {

constexpr std::string_view kParentStep = "../";
constexpr std::string_view kHttpPrefix = "http:";

std::string ParentSteps(std::size_t count) {
  std::string steps;
  for (std::size_t i = 0; i < count; ++i) steps += kParentStep;
  return steps;
}

// The reference to another site's stored copy: up to the store root, then host[$port]/path.
std::string ReferenceToSite(const UrlParts& link, std::size_t levels) {
  std::string out = ParentSteps(levels) + link.host.str();
  if (link.port.present()) out += ":" + link.port.str();
  out += "/" + link.path.str();
  if (link.fragment.present()) out += "#" + link.fragment.str();
  MapToStoreChars(out);
  return out;
}

}  // namespace

bool MakeStoreRelativeLink(std::string_view link, std::string_view base, std::string* out) {
  UrlParts linkParts, baseParts;
  ParseUrl(link, &linkParts);
  ParseUrl(base, &baseParts);
  const std::string& basePath = baseParts.path.str();
  std::size_t levels = static_cast<std::size_t>(std::count(basePath.begin(), basePath.end(), '/'));
  const std::string& scheme = linkParts.scheme.str();
  bool made = true;
  if (linkParts.scheme.present() && !IsFileScheme(scheme)) {
    if (!IsWebScheme(scheme) && !IsFtpScheme(scheme)) {
      out->assign(link.data(), link.size());
      return false;
    }
  }
  if (linkParts.scheme.present() && !IsFileScheme(scheme) && !linkParts.host.empty()) {
    *out = ReferenceToSite(linkParts, levels + 1);
  } else if (!linkParts.path.str().empty() && linkParts.path.str()[0] == '/') {
    *out = ParentSteps(levels) + linkParts.path.str().substr(1);
    MapToStoreChars(*out);
  } else if (StartsWith(link, kHttpPrefix)) {
    *out = linkParts.path.str();
    MapToStoreChars(*out);
  } else {
    out->assign(link.data(), link.size());
    MapToStoreChars(*out);
    made = false;
  }
  if (HasLongSegment(*out)) {
    *out = TruncateLongSegments(*out);
    made = true;
  }
  // A reference that no URL buffer could hold is refused: the link stays as it was.
  if (out->size() > kMaxUrlLength) {
    out->assign(link.data(), link.size());
    return false;
  }
  return made;
}

}  // namespace corvisant
