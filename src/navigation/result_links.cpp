#include "navigation/result_links.h"

#include <optional>

#include "html/tag_table.h"
#include "navigation/result_page_reading.h"
#include "navigation/search_engine_table.h"
#include "url/text_helpers.h"

namespace corvisant {
namespace {

using Links = std::vector<std::string>;

struct ResultPage {
  const HtmlToken* tags;
  std::string_view url;
};

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kUrlLabel = "URL: ";

const HtmlToken* Next(const HtmlToken* token) { return token->next.get(); }

// How a rule takes the href of the anchor it chose.
enum class Take { kAsWritten, kHttpOnly, kResolved };

void TakeHref(const std::optional<std::string>& href, Take take, std::string_view pageUrl,
              Links& links) {
  if (!href) return;
  if (take == Take::kResolved) {
    std::string resolved = ResolvedLink(*href, pageUrl);
    if (!resolved.empty()) links.push_back(std::move(resolved));
  } else if (take == Take::kAsWritten || IsHttpLink(*href)) {
    links.push_back(*href);
  }
}

// Many engines mark each result with a token of their own (a table cell, a score, a label) and
// put the result's anchor after it: each mark hands the next anchor's href to the list.
using Mark = bool (*)(const HtmlToken&);

void TakeAnchorsAfterMarks(const HtmlToken* token, const HtmlToken* stop, Mark mark, Take take,
                           std::string_view pageUrl, Links& links) {
  bool marked = false;
  for (; token != stop; token = Next(token)) {
    if (marked && IsStartTag(*token, tag_id::kAnchor)) {
      TakeHref(AnchorHref(*token), take, pageUrl, links);
      marked = false;
    } else if (mark(*token)) {
      marked = true;
    }
  }
}

bool IsResultCell(const HtmlToken& token) {
  return IsStartTag(token, tag_id::kTableData) &&
         StartsWith(RawTagText(token), "TD  width=\"20\" align=\"left\"");
}
bool IsScore(const HtmlToken& token) {
  const std::string* text = TextOf(token);
  return text != nullptr && EndsWith(*text, "% ");
}
bool IsTerm(const HtmlToken& token) { return IsStartTag(token, tag_id::kDefinitionTerm); }
bool IsReviewLabel(const HtmlToken& token) {
  const std::string* text = TextOf(token);
  return text != nullptr && *text == "Review:";
}
bool IsStrong(const HtmlToken& token) { return IsStartTag(token, tag_id::kStrong); }
bool IsDirectoryMark(const HtmlToken& token) {
  return IsStartTag(token, tag_id::kImage) &&
         StartsWith(RawTagText(token), "img src=\"/xdr/Images/lep");
}

const HtmlToken* FirstListStart(const HtmlToken* token) {
  while (token != nullptr && !IsStartTag(*token, tag_id::kUnorderedList)) token = Next(token);
  return token;
}

// From a list's start on, every http link of an anchor, until a list ends.
void TakeListAnchors(const HtmlToken* token, Links& links) {
  for (; token != nullptr && !IsEndTag(*token, tag_id::kUnorderedList); token = Next(token)) {
    TakeHref(AnchorHref(*token), Take::kHttpOnly, std::string_view(), links);
  }
}

void TextUrls(const ResultPage& page, Links& links) {
  for (const HtmlToken* token = page.tags; token != nullptr; token = Next(token)) {
    const std::string* text = TextOf(*token);
    std::size_t at = text != nullptr ? text->find(kHttp) : std::string::npos;
    if (at != std::string::npos) links.push_back(text->substr(at, text->find(' ', at) - at));
  }
}

void LabelledTextUrls(const ResultPage& page, Links& links) {
  bool labelled = false;
  for (const HtmlToken* token = page.tags; token != nullptr; token = Next(token)) {
    const std::string* text = TextOf(*token);
    if (text == nullptr) continue;
    std::size_t at = text->find(kHttp);
    if (*text == kUrlLabel) {
      labelled = true;
    } else if (labelled && at != std::string::npos) {
      links.push_back(text->substr(at, text->find("\r\n", at) - at));
      labelled = false;
    }
  }
}

bool IsCapitalAnchor(const HtmlToken* token) {
  return token != nullptr && IsStartTag(*token, tag_id::kAnchor) &&
         StartsWith(RawTagText(*token), "A HREF=\"http:");
}

// A result's title and its URL line are both anchors; of two that follow each other (the label
// between them aside) only the second is the result.
void CapitalAnchors(const ResultPage& page, Links& links) {
  for (const HtmlToken* token = page.tags; token != nullptr; token = Next(token)) {
    if (!IsCapitalAnchor(token)) continue;
    const HtmlToken* after = Next(token);
    while (after != nullptr && TextOf(*after) != nullptr && *TextOf(*after) == kUrlLabel) {
      after = Next(after);
    }
    if (!IsCapitalAnchor(after)) TakeHref(AnchorHref(*token), Take::kResolved, page.url, links);
  }
}

void CellAnchors(const ResultPage& page, Links& links) {
  TakeAnchorsAfterMarks(page.tags, nullptr, IsResultCell, Take::kResolved, page.url, links);
}

// Each anchor is taken at most once, by the first URL text after it.
void AnchorsBeforeUrlText(const ResultPage& page, Links& links) {
  std::optional<std::string> remembered;
  for (const HtmlToken* token = page.tags; token != nullptr; token = Next(token)) {
    const std::string* text = TextOf(*token);
    if (IsStartTag(*token, tag_id::kAnchor)) {
      remembered = AnchorHref(*token);
    } else if (text != nullptr && text->find(kHttp) != std::string::npos && remembered) {
      links.push_back(std::move(*remembered));
      remembered.reset();
    }
  }
}

void ScoredAnchors(const ResultPage& page, Links& links) {
  TakeAnchorsAfterMarks(page.tags, nullptr, IsScore, Take::kAsWritten, page.url, links);
}

void ListAnchors(const ResultPage& page, Links& links) {
  TakeListAnchors(FirstListStart(page.tags), links);
}

void TermAnchors(const ResultPage& page, Links& links) {
  TakeAnchorsAfterMarks(page.tags, nullptr, IsTerm, Take::kHttpOnly, page.url, links);
}

void ReviewAnchors(const ResultPage& page, Links& links) {
  TakeAnchorsAfterMarks(page.tags, nullptr, IsReviewLabel, Take::kHttpOnly, page.url, links);
}

// The marked results stand before the page's list; the list holds the rest.
void MarkedAnchors(const ResultPage& page, Links& links) {
  const HtmlToken* list = FirstListStart(page.tags);
  TakeAnchorsAfterMarks(page.tags, list, IsDirectoryMark, Take::kHttpOnly, page.url, links);
  TakeListAnchors(list, links);
}

// The reviews and guides pages hold their results in named sections, which end with the table
// that holds them.
class SectionReader {
 public:
  SectionReader(std::string_view pageUrl, Links& links) : pageUrl_(pageUrl), links_(links) {}

  void Read(const HtmlToken& token) {
    if (const std::string* text = TextOf(token)) {
      StartSectionAt(*text);
    } else if (!inSection_) {
      return;
    } else if (IsStartTag(token, tag_id::kAnchor)) {
      taken_ = true;
      std::optional<std::string> href = AnchorHref(token);
      if (href && !StartsWith(*href, "reviews.")) TakeHref(href, Take::kResolved, pageUrl_, links_);
    } else if (IsStartTag(token, tag_id::kTable)) {
      ++depth_;
    } else if (IsEndTag(token, tag_id::kTable)) {
      if (taken_) depth_ = 0;
      if (depth_ < 1) {
        inSection_ = false;
      } else {
        --depth_;
      }
    }
  }

 private:
  void StartSectionAt(std::string_view text) {
    for (std::string_view title : {"Editor's Reviews", "Additional Sites"}) {
      if (StartsWith(text, title)) Start(1);
    }
    for (std::string_view title : {"Our Favorites", "More Great Sites"}) {
      if (StartsWith(text, title)) Start(0);
    }
  }
  void Start(int depth) {
    inSection_ = true;
    taken_ = false;
    depth_ = depth;
  }

  std::string_view pageUrl_;
  Links& links_;
  bool inSection_ = false;
  bool taken_ = false;
  int depth_ = 0;
};

void SectionAnchors(const ResultPage& page, Links& links) {
  SectionReader reader(page.url, links);
  for (const HtmlToken* token = page.tags; token != nullptr; token = Next(token)) {
    reader.Read(*token);
  }
}

void StrongAnchors(const ResultPage& page, Links& links) {
  TakeAnchorsAfterMarks(page.tags, nullptr, IsStrong, Take::kHttpOnly, page.url, links);
}

// A red flag after a result's anchor marks it; an anchor flagged twice is taken twice.
void FlagAnchors(const ResultPage& page, Links& links) {
  std::optional<std::string> last;
  for (const HtmlToken* token = page.tags; token != nullptr; token = Next(token)) {
    if (IsStartTag(*token, tag_id::kAnchor)) {
      last = AnchorHref(*token);
    } else if (IsStartTag(*token, tag_id::kImage)) {
      if (RawTagText(*token).find("file_red.gif") == std::string_view::npos) {
        last.reset();
      } else {
        TakeHref(last, Take::kHttpOnly, page.url, links);
      }
    }
  }
}

void TakeJumpAnchors(const ResultPage& page, std::string_view jump, Links& links) {
  for (const HtmlToken* token = page.tags; token != nullptr; token = Next(token)) {
    std::optional<std::string> href = AnchorHref(*token);
    if (href && StartsWith(*href, jump)) TakeHref(href, Take::kResolved, page.url, links);
  }
}

void ItalianJumpAnchors(const ResultPage& page, Links& links) {
  TakeJumpAnchors(page, "/cgi/go?", links);
}

void BritishJumpAnchors(const ResultPage& page, Links& links) {
  TakeJumpAnchors(page, "/infosk/owa/pkg_utils.p_jump?", links);
}

struct LinkRule {
  int engine;
  void (*take)(const ResultPage& page, Links& links);
};

constexpr LinkRule kLinkRules[] = {
    {search_engine::kExcite, LabelledTextUrls},
    {search_engine::kAolNetFind, CapitalAnchors},
    {search_engine::kAltaVista, TextUrls},
    {search_engine::kHotBot, CellAnchors},
    {search_engine::kInfoseek, TextUrls},
    {search_engine::kInfoseekTopics, TextUrls},
    {search_engine::kInfoseekJapan, FlagAnchors},
    {search_engine::kInfoseekFrance, TextUrls},
    {search_engine::kInfoseekItaly, ItalianJumpAnchors},
    {search_engine::kInfoseekUk, BritishJumpAnchors},
    {search_engine::kLycos, AnchorsBeforeUrlText},
    {search_engine::kWebCrawler, ScoredAnchors},
    {search_engine::kYahoo, ListAnchors},
    {search_engine::kGalaxy, TermAnchors},
    {search_engine::kMagellan, ReviewAnchors},
    {search_engine::kExciteDirectory, MarkedAnchors},
    {search_engine::kAolGuides, SectionAnchors},
    {search_engine::kLookSmart, StrongAnchors},
    {search_engine::kWebDirectory, ListAnchors},
};

}  // namespace

std::vector<std::string> ResultLinks(int engine, std::string_view pageUrl, const HtmlToken* tags) {
  Links links;
  for (const LinkRule& rule : kLinkRules) {
    if (rule.engine == engine) rule.take(ResultPage{tags, pageUrl}, links);
  }
  return links;
}

}  // namespace corvisant
