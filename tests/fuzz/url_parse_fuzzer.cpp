// ParseUrl and ComposeUrl on any text: nothing composed outgrows the URL buffer, and the parts of
// a well-formed URL come back from its composed text exactly, also after normalising twice.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_target.h"
#include "url/url.h"

namespace {

using corvisant::fuzzing::Check;

using corvisant::UrlPart;
using corvisant::UrlParts;

bool SameParts(const UrlParts& a, const UrlParts& b) {
  auto same = [](const UrlPart& x, const UrlPart& y) {
    return x.present() == y.present() && x.str() == y.str();
  };
  return same(a.scheme, b.scheme) && same(a.host, b.host) && same(a.port, b.port) &&
         same(a.path, b.path) && same(a.fragment, b.fragment);
}

// The next field of the input, up to a NUL byte.
std::string_view NextField(std::string_view* data) {
  std::size_t end = data->find('\0');
  std::string_view field = data->substr(0, end);
  data->remove_prefix(end == std::string_view::npos ? data->size() : end + 1);
  return field;
}

// Parts that compose into a text that parses back into them: a web, ftp or other scheme with a
// host, or "file" without one; a path that neither the cleaning of "./" and "//" nor the host's
// "/" changes; no "#" before the fragment.
bool WellFormed(const UrlParts& parts) {
  std::string_view scheme = parts.scheme.view(), host = parts.host.view();
  std::string_view path = parts.path.view();
  // A backslash is read as a "/" (as browsers read it), so it cannot stand in a scheme, host or
  // port.
  if (scheme.empty() || scheme.find_first_of(":/\\# ") != std::string_view::npos) return false;
  if (host.find_first_of("/\\:") != std::string_view::npos) return false;
  if (parts.port.view().find_first_of("/\\") != std::string_view::npos) return false;
  if (path.find('#') != std::string_view::npos) return false;
  // Backslashes read as "/", the path has no empty segment and does not start with "./" (the
  // cleaning of those changes the path the first time only).
  std::string slashed(path);
  for (char& c : slashed) {
    if (c == '\\') c = '/';
  }
  if (slashed.substr(0, 2) == "./" || slashed.find("//") != std::string::npos) return false;
  bool file = scheme == "file";
  if (file == parts.host.present()) return false;
  if (scheme == "http" && host.empty()) return false;
  if (parts.port.present() && !parts.host.present()) return false;
  if (!file && path.substr(0, 1) == "/") return false;
  if (!parts.path.present() && parts.fragment.present()) return false;
  if (parts.path.present() && path.empty() && !parts.fragment.present()) return false;
  return true;
}

void Set(UrlPart* part, std::string_view field) {
  // A field of a single "-" stands for an absent part.
  if (field != "-") part->Set(field);
}

}  // namespace

CORVISANT_FUZZ_TARGET(url_parse) {
  std::string_view text(reinterpret_cast<const char*>(data), size);

  UrlParts parts;
  corvisant::ParseUrl(text, &parts);
  Check(corvisant::ComposeUrl(parts, false).size() <= corvisant::kMaxUrlLength);
  Check(corvisant::ComposeUrl(parts, true).size() <= corvisant::kMaxUrlLength);
  int fragmentLength = -1;
  std::string normalised = corvisant::NormaliseUrlForStore(text, &fragmentLength, false);
  Check(normalised.size() <= corvisant::kMaxUrlLength);
  Check(fragmentLength >= 0);
  Check(corvisant::SameUrl(text, text));

  std::string_view rest = text;
  UrlParts built;
  Set(&built.scheme, NextField(&rest));
  Set(&built.host, NextField(&rest));
  Set(&built.port, NextField(&rest));
  Set(&built.path, NextField(&rest));
  if (!rest.empty()) built.fragment.Set(rest);
  if (!WellFormed(built)) return;
  std::string composed = corvisant::ComposeUrl(built, false);
  if (composed.empty()) return;
  UrlParts again;
  corvisant::ParseUrl(composed, &again);
  Check(SameParts(again, built));

  std::string once = corvisant::NormaliseUrlForStore(composed, nullptr, false);
  if (!once.empty()) Check(corvisant::NormaliseUrlForStore(once, nullptr, false) == once);
}
