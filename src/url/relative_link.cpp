#include <algorithm>

#include "url/classify.h"
#include "url/store_names.h"
#include "url/text_helpers.h"
#include "url/url_parts.h"

namespace corvisant {
namespace {

constexpr std::string_view kParentStep = "../";
constexpr std::string_view kHttpPrefix = "http:";
// Where a query begins, also in store form.
constexpr std::string_view kQueryMarks = "?^";

std::string ParentSteps(std::size_t count) {
  std::string steps;
  for (std::size_t i = 0; i < count; ++i) steps += kParentStep;
  return steps;
}

bool IsQueryOnly(std::string_view path) {
  return !path.empty() && kQueryMarks.find(path.front()) != std::string_view::npos;
}

std::string WithFragment(std::string text, const UrlParts& link) {
  if (link.fragment.present()) text += "#" + link.fragment.str();
  return text;
}

// The reference to another site's stored copy: up to the store root, then host[$port]/path. The
// site's directory has the name the page store gives it, so that no host (".." say) is a step.
std::string ReferenceToSite(const UrlParts& link, std::size_t levels) {
  std::string site = link.host.str();
  if (link.port.present()) site += ":" + link.port.str();
  MapToStoreChars(site);
  std::string out = WithFragment(RemoveDotSegments(link.path.view(), false), link);
  MapToStoreChars(out);
  return ParentSteps(levels) + SafeStoreSegment(site, true, false) + "/" + out;
}

// A path of the page's own site (without its leading "/"), from the page's directory: up to the
// site's directory, then the path with its steps walked.
std::string ReferenceInSite(std::string_view path, std::size_t levels) {
  std::string out = ParentSteps(levels) + RemoveDotSegments(path, false);
  MapToStoreChars(out);
  return out;
}

// A relative path of the page whose path is basePath, levels directories below its site's. It
// stays as it is, its steps walked, while it stays within the site; one that would climb above it
// (or that is only a query, which names the page's own file) is made a path of the site.
std::string RelativeReference(const UrlParts& link, const std::string& basePath, std::size_t levels,
                              bool withFragment) {
  const std::string& path = link.path.str();
  int climbs = 0;
  std::string walked = RemoveDotSegments(path, true, &climbs);
  bool queryOnly = IsQueryOnly(path);
  if (static_cast<std::size_t>(climbs) > levels || queryOnly) {
    std::string joined = queryOnly ? basePath.substr(0, basePath.find_first_of(kQueryMarks)) + path
                                   : ParentDirectory(basePath, 0) + path;
    walked = ParentSteps(levels) + RemoveDotSegments(joined, false);
  }
  if (withFragment) walked = WithFragment(walked, link);
  MapToStoreChars(walked);
  return walked;
}

// A relative path whose steps need no walking and stay within the site.
bool StaysAsItStands(const std::string& path, std::size_t levels) {
  int climbs = 0;
  return RemoveDotSegments(path, true, &climbs) == path &&
         static_cast<std::size_t>(climbs) <= levels && !IsQueryOnly(path);
}

}  // namespace

StoreReference MakeStoreReference(std::string_view link, std::string_view base, std::string* out) {
  const std::string text = WithSlashes(link);
  UrlParts linkParts, baseParts;
  ParseUrl(text, &linkParts);
  ParseUrl(base, &baseParts);
  const std::string& basePath = baseParts.path.str();
  std::size_t levels = static_cast<std::size_t>(std::count(basePath.begin(), basePath.end(), '/'));
  const std::string& scheme = linkParts.scheme.str();
  const std::string& path = linkParts.path.str();
  StoreReference made = StoreReference::kMade;
  if (linkParts.scheme.present() && !IsFileScheme(scheme) && !IsWebScheme(scheme) &&
      !IsFtpScheme(scheme)) {
    out->assign(link.data(), link.size());
    return StoreReference::kLinkItself;
  }
  if (linkParts.scheme.present() && !IsFileScheme(scheme) && !linkParts.host.empty()) {
    *out = ReferenceToSite(linkParts, levels + 1);
  } else if (!path.empty() && path[0] == '/') {
    // The fragment of a path of the site is not carried over.
    *out = ReferenceInSite(std::string_view(path).substr(1), levels);
  } else if (StartsWith(text, kHttpPrefix)) {
    *out = RelativeReference(linkParts, basePath, levels, false);
  } else if (StaysAsItStands(path, levels)) {
    // A link that a browser reads as it stands stays so, blanks and all.
    *out = text;
    MapToStoreChars(*out);
    if (text == link) made = StoreReference::kLinkItself;
  } else {
    *out = RelativeReference(linkParts, basePath, levels, true);
  }
  if (HasLongSegment(*out)) {
    *out = TruncateLongSegments(*out);
    made = StoreReference::kMade;
  }
  // A reference that no URL buffer could hold is refused: the link stays as it was.
  if (out->size() > kMaxUrlLength) {
    out->assign(link.data(), link.size());
    return StoreReference::kTooLong;
  }
  return made;
}

bool MakeStoreRelativeLink(std::string_view link, std::string_view base, std::string* out) {
  return MakeStoreReference(link, base, out) == StoreReference::kMade;
}

}  // namespace corvisant
