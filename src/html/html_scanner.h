// The HTML scanner: one forgiving pass over a whole page that turns it into a list of text runs,
// tags and comments. It never builds a tree and never fails on bad markup: what it cannot read as
// a tag stays text, and a tag or comment that is never closed ends the scan.
#pragma once

#include "html/html_token.h"

namespace corvisant {

// Scans the NUL-terminated page in buffer, which is left as it was and must outlive the tokens'
// source positions. Returns the head of the token list (null for a null or empty buffer).
// *looksLikeHtml (when given) receives 1 when a tag named "html", "title", "head" or "body" was
// seen, else 0.
HtmlTokenPtr ScanHtml(const char* buffer, int* looksLikeHtml);

}  // namespace corvisant
