// The split form of one URL and the operations that parse, build, compare, resolve and normalise
// it. Text is single-byte and compared byte-wise, case-sensitively ("HTTP" is not "http").
#pragma once

#include <string>
#include <string_view>

namespace corvisant {

// The longest URL that ComposeUrl builds (its work buffer holds 1,024 bytes with the NUL).
// A URL that would compose longer is refused: the operations that build one give nothing, so
// that no over-long URL is ever cut into a different one.
constexpr std::size_t kUrlBufferSize = 1024;
constexpr std::size_t kMaxUrlLength = kUrlBufferSize - 1;

// The one empty text that every absent part holds. Whether a part is absent is a comparison of
// addresses with it, in constant time; a present part may still be empty ("http://h1:/" has an
// empty port).
const std::string& SharedEmptyString();

// One part of a URL: absent, or a present (owned) text.
class UrlPart {
 public:
  UrlPart() = default;
  explicit UrlPart(std::string_view text) : value_(text), present_(true) {}

  // The text; the shared empty string when the part is absent.
  const std::string& str() const { return present_ ? value_ : SharedEmptyString(); }
  const char* c_str() const { return str().c_str(); }
  std::string_view view() const { return str(); }
  bool absent() const { return !present_; }
  bool present() const { return present_; }
  bool empty() const { return value_.empty(); }
  std::size_t size() const { return value_.size(); }

  void Set(std::string_view text) {
    value_.assign(text.data(), text.size());
    present_ = true;
  }
  // Makes the part absent again.
  void Clear() {
    value_.clear();
    present_ = false;
  }
  // The owned text, for the operations that change a present part in place.
  std::string& mutable_text() { return value_; }

 private:
  std::string value_;
  bool present_ = false;
};

// A URL split into scheme, host, port, path (with the query, without the "/" after the host)
// and fragment. All five parts start absent.
struct UrlParts {
  UrlPart scheme;
  UrlPart host;
  UrlPart port;
  UrlPart path;
  UrlPart fragment;
};

// Fills parts from text. Never fails; always returns true.
bool ParseUrl(std::string_view text, UrlParts* parts);
// Builds the URL text again. With mapPath set and a scheme other than "file", the path is passed
// through MapToStoreChars in the record first. Empty when the URL would be longer than
// kMaxUrlLength.
std::string ComposeUrl(UrlParts& parts, bool mapPath);
// Makes all five parts absent.
void FreeUrlParts(UrlParts* parts);

// True when scheme, host, port and path are byte-equal (the fragment is ignored). Null texts:
// true when both are the same pointer, false when either is null.
bool SameUrl(const char* a, const char* b);
bool SameUrl(std::string_view a, std::string_view b);

// Resolves a link found in the page whose URL is base. With a scheme in the link, *out is the
// link itself and the result is false. Otherwise *out is the absolute URL in store form (its path
// mapped by MapToStoreChars, its dot segments walked, never above the host) and the result is
// true; a link that is only a query keeps the base's file. Refused (false, *out empty) when the
// result would be longer than kMaxUrlLength.
bool ResolveUrl(std::string_view link, std::string_view base, std::string* out);

// The relative reference from the stored copy of page base to the stored copy of link. True when
// *out is a reference made here, false when it is the link itself (mapped, or unchanged for a
// scheme that is not web, "ftp" or "file"). Dot segments are walked as a browser walks them
// (RemoveDotSegments): a reference never leads above the store root nor, for a link of the page's
// own site, above the site's directory; a relative link that would climb above it names the copy
// of the URL it resolves to.
bool MakeStoreRelativeLink(std::string_view link, std::string_view base, std::string* out);
// What MakeStoreReference gives: a reference made, the link itself, or the link itself because
// the reference would be longer than kMaxUrlLength.
enum class StoreReference { kMade, kLinkItself, kTooLong };
StoreReference MakeStoreReference(std::string_view link, std::string_view base, std::string* out);

// url with every "" before its query and fragment read as "/", as a browser reads the links of
// the web's schemes, "ftp", "file" and links without a scheme; any other URL as it is.
std::string WithSlashes(std::string_view url);
// path with its dot segments walked: "." and ".." (a dot also "%2e") are steps, "" separates as
// "/" does, the query (from "?") is left as it is. A step above the start is not taken, or, when
// relative is set, kept as a leading "..". *climbs (when given) counts the steps above the start.
// A path that ends in a step ends in "/"; a relative one that comes back to its start is "./".
std::string RemoveDotSegments(std::string_view path, bool relative, int* climbs = nullptr);

// The URL in store form, its dot segments walked (never above the host; leading ".." steps of a
// relative URL kept), with the default document added to an empty path or one ending in "/"
// (unless keepBareFragment is set and there is a fragment). *fragmentLength (when given) gets the
// fragment's length plus one, or 0 without a fragment. Empty when the result would be longer
// than kMaxUrlLength.
std::string NormaliseUrlForStore(std::string_view url, int* fragmentLength, bool keepBareFragment);

// The text of path up to and including its directory "/", n directories up (see the source).
std::string ParentDirectory(std::string_view path, int n);

}  // namespace corvisant
