#include "html/stored_page_rewriter.h"

#include <utility>

#include "common/preferences.h"
#include "html/html_scanner.h"
#include "html/local_references.h"
#include "html/page_text_rewrite.h"
#include "html/rewrite_handoffs.h"
#include "platform/message_ids.h"
#include "platform/ports.h"
#include "url/whole_file_writer.h"

namespace corvisant {
namespace {

// A copy of a query URL: such files are often not there, and are passed over silently.
constexpr char kMappedQueryMark = '^';
// A page with fewer tokens than this, and without a tag that marks HTML, is not HTML.
constexpr int kFewestHtmlTokens = 2;

// The file's whole text, NUL-terminated after its length. A short read is reported (40007) and
// what was read is kept.
std::string ReadPage(FileStream& stream, const std::string& path) {
  std::int64_t size = stream.Size();
  std::string page(size < 0 ? 0 : static_cast<std::size_t>(size), '\0');
  std::size_t read = stream.Read(page.data(), page.size());
  if (size < 0 || read != page.size()) {
    ReportPageFileFailure(message::kCantReadHtmlForRewrite, path);
  }
  page.resize(read);
  return page;
}

bool IsHtml(const HtmlToken* tokens, int looksLikeHtml) {
  if (looksLikeHtml) return true;
  int count = 0;
  for (const HtmlToken* token = tokens; token != nullptr && count < kFewestHtmlTokens;
       token = token->next.get()) {
    ++count;
  }
  return count >= kFewestHtmlTokens;
}

// The queue-images decision: images are queued for the frame pages that follow a frameset, when
// no navigator is active, and otherwise only for the page that the browser shows.
bool DecideQueueImages(std::string_view reportedUrl) {
  FrameTracker* frames = Current<FrameTracker>();
  if (frames != nullptr && frames->TakeAwaitedFrame()) return true;
  NavigationLink* navigation = Current<NavigationLink>();
  if (navigation == nullptr || !navigation->NavigatorActive()) return true;
  BrowserLocation* browser = Current<BrowserLocation>();
  std::string current;
  return browser != nullptr && browser->CurrentUrl(&current) && current == reportedUrl;
}

PageRewriteSettings SettingsFor(std::string_view pageUrl, std::string_view reportedUrl) {
  PageRewriteSettings settings;
  settings.pageUrl = pageUrl;
  settings.pageDepth = StoredPageDepth(pageUrl);
  settings.queueImages = DecideQueueImages(reportedUrl);
  if (const Preferences* preferences = Current<Preferences>()) {
    settings.keepEveryDocument = preferences->keepLocalCopies != 0 &&
                                 (preferences->recordLevel & record_level::kEveryType) != 0;
    settings.followVisitTags =
        (preferences->miscellaneous & miscellaneous_flag::kFollowVisitTags) != 0;
  }
  return settings;
}

// Puts the rewritten page in the place of the stored one. It is written whole beside it and then
// takes its place, so that no failure and no end of the process can leave a cut page: the
// store holds the old page or the new one.
bool ReplacePage(StreamPtr stream, const std::string& path, const std::string& rewritten) {
  stream->Close();
  if (WriteWholeFile(path, rewritten)) return true;
  ReportPageFileFailure(message::kCantRewriteHtml, path);
  return false;
}

void NoteFrames(int frameTags) {
  FrameTracker* frames = Current<FrameTracker>();
  Clock* clock = Current<Clock>();
  if (frames != nullptr && clock != nullptr) frames->NoteFrameTags(frameTags, clock->Now());
}

void HandOn(std::string_view reportedUrl, const HtmlToken* tokens, const RewriteOutcome& outcome,
            bool followVisitTags) {
  if (ImageDeferral* images = Current<ImageDeferral>()) {
    for (const RewriteOutcome::DeferredImage& image : outcome.images) {
      images->DeferObject(reportedUrl, image.imageUrl, image.localName);
    }
  }
  NavigationLink* navigation = Current<NavigationLink>();
  if (navigation != nullptr && navigation->NavigatorActive()) {
    navigation->PageLoaded(reportedUrl, tokens, outcome.links);
  }
  VisitTagReplay* replay = Current<VisitTagReplay>();
  if (followVisitTags && outcome.hasVisitTags && replay != nullptr)
    replay->TakeOver(outcome.visits);
}

}  // namespace

void FrameTracker::NoteFrameTags(int count, UnixTime now) {
  if (count <= 0) return;
  pending_ += count;
  lastFrameTag_ = now;
}

bool FrameTracker::TakeAwaitedFrame() {
  if (pending_ == 0) return false;
  --pending_;
  return true;
}

int RewriteStoredPage(std::string_view pageUrl, std::string_view reportedUrl,
                      const std::string& localPath, std::string* title, RewriteOutcome* outcome) {
  title->clear();
  RewriteOutcome local;
  if (outcome == nullptr) outcome = &local;
  *outcome = RewriteOutcome();
  StreamPtr stream = Current<Files>()->Open(localPath, "rb+");
  if (stream == nullptr) {
    if (localPath.find(kMappedQueryMark) == std::string::npos) {
      ReportPageFileFailure(message::kCantOpenHtmlForRewrite, localPath);
    }
    return -1;
  }
  std::string page = ReadPage(*stream, localPath);
  if (PageTextWatcher* keywords = Current<PageTextWatcher>()) {
    keywords->WatchPage(page.data(), page.size());
  }
  int looksLikeHtml = 0;
  HtmlTokenPtr tokens = ScanHtml(page.c_str(), &looksLikeHtml);
  if (!IsHtml(tokens.get(), looksLikeHtml)) return -1;
  PageRewriteSettings settings = SettingsFor(pageUrl, reportedUrl);
  std::string rewritten =
      RewritePageText(page.c_str(), page.size(), tokens.get(), settings, title, outcome);
  NoteFrames(outcome->frameTags);
  if (rewritten != page && !ReplacePage(std::move(stream), localPath, rewritten)) {
    return -1;
  }
  HandOn(reportedUrl, tokens.get(), *outcome, settings.followVisitTags);
  FreeHtmlTokens(std::move(tokens));
  return 0;
}

}  // namespace corvisant
