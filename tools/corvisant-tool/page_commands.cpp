// page rewrite | title: the rewrite of a stored page and the title of a stored file. Titles, URLs
// and names are printed with every byte below 0x20 and from 0x7F up as "\xHH".
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/preferences.h"
#include "html/rewrite_handoffs.h"
#include "html/stored_page_rewriter.h"
#include "html/title_extraction.h"
#include "tools/corvisant-tool/arguments.h"
#include "url/url_parts.h"

namespace corvisant::tool {
namespace {

// The settings the command describes: local copies kept, every type of document recorded, Visit
// tags followed when asked; no navigator runs and nothing is handed on, not even to the Keyword
// Watcher.
class RewriteSetting {
 public:
  explicit RewriteSetting(bool followVisitTags) : keywords_(nullptr) {
    Preferences& preferences = *Current<Preferences>();
    preferences.keepLocalCopies = 1;
    preferences.recordLevel =
        (preferences.recordLevel & record_level::kRefreshGroup) | record_level::kEveryType;
    preferences.miscellaneous = followVisitTags ? miscellaneous_flag::kFollowVisitTags : 0;
  }

 private:
  Installed<PageTextWatcher> keywords_;
};

void PrintOutcome(Context& context, const RewriteOutcome& outcome) {
  for (const std::string& link : outcome.links) {
    std::fprintf(context.out, "link=%s\n", Printable(link).c_str());
  }
  for (const RewriteOutcome::DeferredImage& image : outcome.images) {
    std::fprintf(context.out, "image=%s\t%s\n", Printable(image.imageUrl).c_str(),
                 Printable(image.localName).c_str());
  }
  if (!outcome.hasVisitTags) return;
  for (const VisitItem& item : outcome.visits.items) {
    std::fprintf(context.out, "visit=%s\t%d\n", Printable(item.href).c_str(), item.spend);
  }
  std::fprintf(context.out, "repeat=%d\n", outcome.visits.repeat);
}

int RunRewrite(Context& context, const Arguments& arguments) {
  ParsedArguments parsed = ParseArguments(arguments, {"--reported"}, {"--visit-tags"});
  if (!parsed.ok || parsed.words.size() != 2) return kExitUsage;
  std::string_view givenUrl = parsed.words[0];
  std::string reportedUrl(parsed.Has("--reported") ? parsed.Value("--reported") : givenUrl);
  // The page URL names the local copy as the store names it.
  std::string pageUrl = NormaliseUrlForStore(givenUrl, nullptr, false);
  if (pageUrl.empty()) pageUrl = std::string(givenUrl);
  RewriteSetting setting(parsed.Has("--visit-tags"));
  std::string title;
  RewriteOutcome outcome;
  int result =
      RewriteStoredPage(pageUrl, reportedUrl, std::string(parsed.words[1]), &title, &outcome);
  std::fprintf(context.out, "result=%d\n", result);
  std::fprintf(context.out, "title=%s\n", Printable(title).c_str());
  PrintOutcome(context, outcome);
  return result == 0 ? kExitDone : kExitNothing;
}

int RunTitle(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  std::string title;
  ExtractTitle(arguments[0], &title);
  std::fprintf(context.out, "%s\n", Printable(title).c_str());
  return kExitDone;
}

const Command kPageCommands[] = {
    {"page", "rewrite", "PAGEURL FILE [--reported URL] [--visit-tags]",
     "rewrite a stored page for offline browsing; its title, links, images, Visit tags",
     RunRewrite},
    {"page", "title", "STORENAME", "the title of a stored file", RunTitle},
};
const CommandRegistration registerPage(kPageCommands);

}  // namespace
}  // namespace corvisant::tool
