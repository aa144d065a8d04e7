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
// Every reference made leads to the copy of its target inside the store root, however a browser
// or the file system reads it; a link for which none can be made stays the web URL it resolves
// to, or, without one, becomes "#" (the page itself).
std::string MakeLocalReference(std::string_view value, const std::string* baseUrl,
                               std::string_view pageUrl, int pageDepth, std::string* resolved);

// link as a browser reads it before anything else: without control bytes and the blanks and C0
// controls at its ends, its scheme written "file" when it reads as "file" in any case.
std::string BrowserReading(std::string_view link);

// The scheme of link as ParseUrl reads it: the text before the first ":" when that ":" comes
// before the first "/" (leading blanks skipped); empty when there is none.
std::string_view SchemeOf(std::string_view link);

// reference, with each of its names (not the fragment) in its safe store form. Only the "." and
// ".." that lead it are steps; after its first name they are names too, as in the store's own
// names. A name that a browser's decoding would make a step, a separator or any other name than
// one of the store ("%2e%2e%20", "%63on", say) has its "%" written "%25", so that it names the
// file that holds those bytes. pageDepth is how
// many directories below the store root the page lies (its site directory is one); a name that
// the reference places directly below the store root is treated as a site directory name, with
// every "%" so written. A reference with a scheme is left as it is. *inStore (when given) is
// cleared when the steps lead above the store root.
std::string SafeLocalReference(std::string_view reference, int pageDepth, bool* inStore = nullptr);

// How many directories below the store root the copy of pageUrl lies.
int StoredPageDepth(std::string_view pageUrl);

// The local name under which the image at link (as resolved against the page's base) is stored,
// and its absolute URL: the link resolved against pageUrl, its store name percent-decoded and
// made safe again. False when it has no local name (a "file:" URL or one without a host).
bool ImageLocalName(std::string_view link, std::string_view pageUrl, std::string* imageUrl,
                    std::string* localName);

}  // namespace corvisant
