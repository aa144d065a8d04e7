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
#include "tools/corvisant-tool/tool.h"
#include "url/url_parts.h"

namespace corvisant::tool {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr std::string_view kReportedOption = "--reported";
constexpr std::string_view kVisitTagsOption = "--visit-tags";
constexpr const char* kRewriteUsage =
    "usage: corvisant-tool page rewrite PAGEURL FILE [--reported URL] [--visit-tags]\n";

std::string Escaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < kFirstPrintable || byte >= kDelete) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", byte);
      escaped += hex;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

struct RewriteArguments {
  std::string pageUrl;
  std::string file;
  std::string reportedUrl;
  bool followVisitTags = false;
};

bool ParseRewriteArguments(const Arguments& arguments, RewriteArguments* parsed) {
  std::vector<std::string_view> positional;
  bool reportedGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == kReportedOption) {
      if (++i == arguments.size()) return false;
      parsed->reportedUrl = std::string(arguments[i]);
      reportedGiven = true;
    } else if (arguments[i] == kVisitTagsOption) {
      parsed->followVisitTags = true;
    } else {
      positional.push_back(arguments[i]);
    }
  }
  if (positional.size() != 2) return false;
  parsed->pageUrl = std::string(positional[0]);
  parsed->file = std::string(positional[1]);
  if (!reportedGiven) parsed->reportedUrl = parsed->pageUrl;
  return true;
}

// The settings the command describes: local copies kept, every type of document recorded, Visit
// tags followed when asked; no navigator runs and nothing else is handed on.
class RewriteSetting {
 public:
  explicit RewriteSetting(bool followVisitTags)
      : previousPreferences_(InstallPreferences(&preferences_)),
        previousHandoffs_(InstallRewriteHandoffs(RewriteHandoffs())) {
    preferences_.keepLocalCopies = 1;
    preferences_.recordLevel =
        (preferences_.recordLevel & record_level::kRefreshGroup) | record_level::kEveryType;
    preferences_.miscellaneous = followVisitTags ? miscellaneous_flag::kFollowVisitTags : 0;
  }
  ~RewriteSetting() {
    InstallRewriteHandoffs(previousHandoffs_);
    InstallPreferences(previousPreferences_);
  }
  RewriteSetting(const RewriteSetting&) = delete;
  RewriteSetting& operator=(const RewriteSetting&) = delete;

 private:
  Preferences preferences_;
  Preferences* previousPreferences_;
  RewriteHandoffs previousHandoffs_;
};

void PrintOutcome(Context& context, const RewriteOutcome& outcome) {
  for (const std::string& link : outcome.links) {
    std::fprintf(context.out, "link=%s\n", Escaped(link).c_str());
  }
  for (const RewriteOutcome::DeferredImage& image : outcome.images) {
    std::fprintf(context.out, "image=%s\t%s\n", Escaped(image.imageUrl).c_str(),
                 Escaped(image.localName).c_str());
  }
  if (!outcome.hasVisitTags) return;
  for (const VisitItem& item : outcome.visits.items) {
    std::fprintf(context.out, "visit=%s\t%d\n", Escaped(item.href).c_str(), item.spend);
  }
  std::fprintf(context.out, "repeat=%d\n", outcome.visits.repeat);
}

int RunRewrite(Context& context, const Arguments& arguments) {
  RewriteArguments parsed;
  if (!ParseRewriteArguments(arguments, &parsed)) {
    std::fputs(kRewriteUsage, context.err);
    return kExitUsage;
  }
  // The page URL names the local copy as the store names it.
  std::string pageUrl = NormaliseUrlForStore(parsed.pageUrl, nullptr, false);
  if (pageUrl.empty()) pageUrl = parsed.pageUrl;
  RewriteSetting setting(parsed.followVisitTags);
  std::string title;
  RewriteOutcome outcome;
  int result = RewriteStoredPage(pageUrl, parsed.reportedUrl, parsed.file, &title, &outcome);
  std::fprintf(context.out, "result=%d\n", result);
  std::fprintf(context.out, "title=%s\n", Escaped(title).c_str());
  PrintOutcome(context, outcome);
  return result == 0 ? kExitDone : kExitNothing;
}

int RunTitle(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) {
    std::fprintf(context.err, "usage: corvisant-tool page title STORENAME\n");
    return kExitUsage;
  }
  std::string title;
  ExtractTitle(arguments[0], &title);
  std::fprintf(context.out, "%s\n", Escaped(title).c_str());
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
