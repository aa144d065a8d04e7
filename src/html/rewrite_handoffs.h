// What the rewrite of a stored page hands on, and what it asks, across the layers above it: the
// keyword watcher, the request queue, the running navigator, the Visit-tag replay and the
// browser link. Each is a small interface that the higher layer installs at start-up as the
// process-wide object of its type (Current<ImageDeferral>() and so on); until one is installed
// the rewrite hands nothing on and asks nothing (no navigator runs, the browser names no URL).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/process_wide.h"
#include "html/html_token.h"
#include "html/visit_tags.h"

namespace corvisant {

// Is given the raw bytes of every page before it is scanned (the Keyword Watcher).
class PageTextWatcher {
 public:
  virtual ~PageTextWatcher() = default;
  virtual void WatchPage(const char* bytes, std::size_t length) = 0;
};

// Takes the images of a page to be saved later (the request queue's deferObject), which decides
// itself whether it keeps one.
class ImageDeferral {
 public:
  virtual ~ImageDeferral() = default;
  virtual void DeferObject(std::string_view reportedUrl, std::string_view imageUrl,
                           std::string_view localName) = 0;
};

// The running navigation as the rewrite sees it.
class NavigationLink {
 public:
  virtual ~NavigationLink() = default;
  // currentNavigator exists and is active.
  virtual bool NavigatorActive() = 0;
  // The navigator's pageLoaded: the page's reported URL, its tokens and its collected links.
  virtual void PageLoaded(std::string_view reportedUrl, const HtmlToken* tokens,
                          const std::vector<std::string>& links) = 0;
};

// Takes the Visit tags of a page, which then take over as the Visit-tag replay.
class VisitTagReplay {
 public:
  virtual ~VisitTagReplay() = default;
  virtual void TakeOver(const VisitTagList& visits) = 0;
};

// The browser's current URL (the browser link's window information).
class BrowserLocation {
 public:
  virtual ~BrowserLocation() = default;
  // False when the browser gives none.
  virtual bool CurrentUrl(std::string* url) = 0;
};

// Reports a stored file that could not be handled (40006 to 40010) with its path; a report that
// closes itself after 5 seconds while a navigation or a Visit-tag replay runs.
void ReportPageFileFailure(int messageId, std::string_view path);

}  // namespace corvisant
