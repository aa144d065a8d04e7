// Doubles of the stored-page rewrite's hand-offs: each records what it is given, and the
// navigation and browser doubles answer as a test sets them. RecordingHandoffs installs a whole
// set while it lives and puts the previous one back afterwards.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "html/html_token.h"
#include "html/rewrite_handoffs.h"
#include "html/visit_tags.h"

namespace corvisant::testing {

class RecordingPageTextWatcher : public PageTextWatcher {
 public:
  void WatchPage(const char* bytes, std::size_t length) override {
    pages.emplace_back(bytes, length);
  }
  std::vector<std::string> pages;
};

class RecordingImageDeferral : public ImageDeferral {
 public:
  struct Deferred {
    std::string reportedUrl;
    std::string imageUrl;
    std::string localName;
  };
  void DeferObject(std::string_view reportedUrl, std::string_view imageUrl,
                   std::string_view localName) override {
    deferred.push_back(
        Deferred{std::string(reportedUrl), std::string(imageUrl), std::string(localName)});
  }
  std::vector<Deferred> deferred;
};

class ScriptedNavigationLink : public NavigationLink {
 public:
  struct Loaded {
    std::string reportedUrl;
    std::size_t tokenCount = 0;
    std::vector<std::string> links;
  };
  bool NavigatorActive() override { return active; }
  void PageLoaded(std::string_view reportedUrl, const HtmlToken* tokens,
                  const std::vector<std::string>& links) override {
    Loaded page{std::string(reportedUrl), 0, links};
    for (const HtmlToken* token = tokens; token != nullptr; token = token->next.get()) {
      ++page.tokenCount;
    }
    loaded.push_back(std::move(page));
  }
  bool active = false;
  std::vector<Loaded> loaded;
};

class RecordingVisitTagReplay : public VisitTagReplay {
 public:
  void TakeOver(const VisitTagList& visits) override { takenOver.push_back(visits); }
  std::vector<VisitTagList> takenOver;
};

class FixedBrowserLocation : public BrowserLocation {
 public:
  bool CurrentUrl(std::string* url) override {
    ++asked;
    if (!known) return false;
    *url = current;
    return true;
  }
  bool known = false;
  std::string current;
  int asked = 0;
};

// Every double above, each installed as the process-wide hand-off of its kind while it lives.
struct RecordingHandoffs {
  RecordingPageTextWatcher keywords;
  RecordingImageDeferral images;
  ScriptedNavigationLink navigation;
  RecordingVisitTagReplay replay;
  FixedBrowserLocation browser;

 private:
  Installed<PageTextWatcher> keywordsInstalled_{&keywords};
  Installed<ImageDeferral> imagesInstalled_{&images};
  Installed<NavigationLink> navigationInstalled_{&navigation};
  Installed<VisitTagReplay> replayInstalled_{&replay};
  Installed<BrowserLocation> browserInstalled_{&browser};
};

}  // namespace corvisant::testing
