// The names of local copies: the store root in URL form, the mapping of URLs to relative store
// paths and "file:" URLs and back, and the character mapping that makes a URL path a file name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/process_wide.h"
#include "url/text_helpers.h"
#include "url/url_parts.h"

namespace corvisant {

// The directory of the system's own data, and of its manual pages. No URL maps into them.
constexpr const char* kDatabaseDirectory = "CorvisantDatabase";
constexpr const char* kDocumentDirectory = "CorvisantDocument";

// The store root: the working directory at start-up, which every relative path of the store is
// relative to. One per process, owned by the wiring place (Current<StoreLocation>()).
class StoreLocation {
 public:
  // From a Windows-form directory ("C:\Corvisant"; a trailing backslash is dropped), with its URL
  // form built from it.
  void Set(std::string_view directory);
  const std::string& directory() const { return directory_; }
  const std::string& urlPath() const { return urlPath_; }

 private:
  std::string directory_;
  std::string urlPath_;
};

// Sets the installed store root (PrepareStore does this at start-up).
void SetStoreRoot(std::string_view directory);
// The installed store root ("C:\Corvisant"), and in URL form ("/C|/Corvisant"); empty while none
// is installed.
const std::string& StoreRoot();
const std::string& StoreRootUrlPath();
// The URL form of a directory: "/" + the directory, its first ":" as "|", backslashes as "/".
std::string MakeStoreRootUrlPath(std::string_view directory);

// Store character mapping, in place, never changing the length: ":?|*\"<>" become "$^!}{[]";
// MapToStoreChars also turns a final ".." into "__". UnmapStoreChars undoes the table only.
void MapToStoreChars(std::string& text);
void MapToStoreChars(char* text, std::size_t length);
void UnmapStoreChars(std::string& text);
void UnmapStoreChars(char* text, std::size_t length);

// In place: the first "|" becomes ":" and every "/" a backslash; and the reverse.
void UrlPathToDosPath(std::string& text);
void DosPathToUrlPath(std::string& text);

// Rewrites url into the "file:" URL of its local copy. False (url unchanged) when nothing was
// rewritten: a "file:" URL whose file does not exist, or a result beyond kMaxUrlLength.
bool UrlToStoreFileUrl(std::string& url);
// The relative local path of url's copy, with backslash separators; empty when there is none (a
// "file:" URL outside the store, or an over-long URL).
std::string UrlToStorePath(std::string_view url);
// The relative local path from an already split URL, without adding the default document. The
// path's dot segments are walked, and that of a non-"file" URL mapped, in place in the record.
std::string PartsToStoreName(UrlParts& parts);
// The web URL of the page for a "file:" URL that points into the store; for any other URL the
// URL itself. A result ending in "/index.html" loses the "index.html".
std::string StoreFileUrlToUrl(std::string_view url);
// False only for a "file:" URL whose file does not exist.
bool LocalFileExists(std::string_view url);

// The safe store form of a relative local name: split at "/" and backslashes, every segment cut to
// kMaxStoreSegment and character-mapped, and every segment that a file system would read as
// something other than a plain name of its own below the store root given a form that is one
// (see store_safety.cpp). Joined with backslashes. Ordinary names pass unchanged.
std::string SafeStoreName(std::string_view name);
// One segment of it; first: the segment directly below the store root; last: the file name.
std::string SafeStoreSegment(std::string_view segment, bool first, bool last);

}  // namespace corvisant
