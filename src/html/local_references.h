// The references a stored page holds after its rewrite: every link, image and frame target made
// relative to the page's own stored copy, naming the file under which the target's copy is (or
// will be) stored, and the local names of the images deferred to the request queue.
#pragma once

#include <string>
#include <string_view>

namespace corvisant {

// The new reference for an attribute value of the page stored for pageUrl, which lies pageDepth
// directories below the store root (StoredPageDepth): control bytes stripped, resolved against
// baseUrl when there is one, made relative to the page's stored copy (MakeStoreRelativeLink),
// backslashes as "/", and every file and directory name given the safe form under which the page
// store keeps it. *resolved (when given) receives the link as it was before it was made relative.
std::string MakeLocalReference(std::string_view value, const std::string* baseUrl,
                               std::string_view pageUrl, int pageDepth, std::string* resolved);

// The scheme of link as ParseUrl reads it: the text before the first ":" when that ":" comes
// before the first "/" (leading blanks skipped); empty when there is none.
std::string_view SchemeOf(std::string_view link);

// reference, with each of its names (not "." or "..", not the fragment) in its safe store form.
// pageDepth is how many directories below the store root the page lies (its site directory is
// one); a name that the reference places directly below the store root is treated as a site
// directory name. A reference with a scheme is left as it is.
std::string SafeLocalReference(std::string_view reference, int pageDepth);

// How many directories below the store root the copy of pageUrl lies.
int StoredPageDepth(std::string_view pageUrl);

// The local name under which the image at link (as resolved against the page's base) is stored,
// and its absolute URL: the link resolved against pageUrl, its store name percent-decoded and
// made safe again. False when it has no local name (a "file:" URL or one without a host).
bool ImageLocalName(std::string_view link, std::string_view pageUrl, std::string* imageUrl,
                    std::string* localName);

}  // namespace corvisant
