#include "navigation/recording_pipeline.h"

#include "browser/url_echo.h"
#include "common/preferences.h"
#include "common/trace.h"
#include "history/history_file.h"
#include "html/stored_page_rewriter.h"
#include "navigation/browser_control.h"
#include "navigation/engine_ports.h"
#include "navigation/navigation_state.h"
#include "navigation/request_queue.h"
#include "platform/ports.h"
#include "url/classify.h"
#include "url/page_store.h"
#include "url/store_files.h"
#include "url/url.h"

namespace corvisant {
namespace {

using namespace recording;

constexpr std::string_view kHtmlMime = "text/html";
constexpr std::string_view kParserMime = "internal/parser";
constexpr std::string_view kLocalFilePrefix = "file:///";
// "Not looked up": the store lookup of a visit was not made.
constexpr int kNoLookup = -1;

UnixTime Now() { return Current<Clock>()->Now(); }

Preferences& Settings() { return *Current<Preferences>(); }

bool Contains(std::string_view text, std::string_view part) {
  return ContainsBytes(text.data(), text.size(), part);
}

// A file: URL that ends right after its drive names no file of the store.
bool IsBareDriveUrl(std::string_view url) {
  return url.substr(0, kLocalFilePrefix.size()) == kLocalFilePrefix &&
         url.find('/', kLocalFilePrefix.size()) == std::string_view::npos;
}

// The text after the URL's first ":", without its leading "/" characters.
std::string StorePathOf(const std::string& url) {
  std::size_t start = url.find_first_not_of('/', url.find(':') + 1);
  return start == std::string::npos ? std::string() : url.substr(start);
}

// The copy is old enough to be fetched again by the recording level. A level with a refresh
// choice besides "never" (no dialog writes one, but a set field may hold one) refreshes by that
// choice: "never" stands only when it stands alone.
bool IsStale(int recordLevel, const std::string& localFile, UnixTime now) {
  using namespace record_level;
  if ((recordLevel & kRefreshEveryTime) != 0) return true;
  UnixTime age = now - FileModificationTime(localFile);
  return ((recordLevel & kRefreshOverOneDay) != 0 && age > kOneDay) ||
         ((recordLevel & kRefreshOverOneWeek) != 0 && age > kOneWeek) ||
         ((recordLevel & kRefreshOverOneMonth) != 0 && age > kOneMonth);
}

void AddRequest(const std::string& url, const std::string& sourceUrl, const std::string& file,
                std::uint32_t flags) {
  if (RequestQueue* queue = Current<RequestQueue>()) queue->addRequest(url, sourceUrl, file, flags);
}

void RecordInHistory(std::string_view url, bool titleKnown, std::string* title) {
  if (HistoryFile* history = Current<HistoryFile>()) history->RecordVisit(url, titleKnown, title);
}

void SetRecButton(int state) {
  if (ControllerPort* controller = Current<ControllerPort>()) {
    controller->SetButton(button::kRec, state);
  }
}

}  // namespace

// One visit as the handler takes it through its steps.
struct RecordingPipeline::Visit {
  std::string url;
  // The visit's working copy: the URL in store form from step 9 on.
  std::string storeUrl;
  bool isHtml = false;
  bool notPage = false;
  bool restoreButton = false;
  int found = kNoLookup;
  // A fetch whose processing will report the page to the navigator was queued.
  bool processingQueued = false;
};

void RecordingPipeline::HandleUrlEcho(std::string_view itemText) {
  std::optional<UrlEcho> echo = ReadUrlEcho(itemText);
  if (!echo) return;
  if (!echo->mime) {
    HandleVisitedPage(echo->url, false);
    return;
  }
  UnixTime window = NavigatorRuns() || VisitTagsRun() ? kRunningRepeatWindow : kRepeatWindow;
  std::string_view mime = *echo->mime;
  if (mime.substr(0, kHtmlMime.size()) != kHtmlMime &&
      mime.substr(0, kParserMime.size()) != kParserMime) {
    HandleVisitedPage(echo->url, false);
    return;
  }
  UnixTime now = Now();
  if (lastEchoUrl && now - lastEchoAcceptTime <= window && echo->url == *lastEchoUrl) return;
  bool isHtml = MayBeHtml(echo->url);
  if (isHtml) {
    lastEchoUrl = echo->url;
    lastEchoAcceptTime = now;
  }
  HandleVisitedPage(echo->url, isHtml);
}

void RecordingPipeline::SetLastGoToURL(std::optional<std::string_view> u) {
  previousOpenUrl = std::move(pendingOpenUrl);
  pendingOpenUrl.reset();
  if (!u) {
    pendingOpenTime = 0;
    return;
  }
  pendingOpenUrl = std::string(*u);
  UnixTime now = Now();
  Trace("SetLastGoToURL now=%x LastGoToTime=%x", static_cast<unsigned>(now),
        static_cast<unsigned>(pendingOpenTime));
  if (now > pendingOpenTime) pendingOpenTime = now;
}

bool RecordingPipeline::IsLateArrival(const std::string& url, UnixTime now) const {
  return now - runStartTime > kLateArrivalAge && NavigatorRuns() && HasWebPrefix(url) &&
         previousOpenUrl && *previousOpenUrl == url;
}

void RecordingPipeline::HandleVisitedPage(std::string url, bool isHtml) {
  if (IsBareDriveUrl(url)) return;
  UnixTime now = Now();
  lastArrivalTime = now;
  opensSinceArrival = 0;
  if (IsLateArrival(url, now)) {
    Trace("Arrived too late %s", url.c_str());
    return;
  }
  if (pendingOpenUrl && (Contains(*pendingOpenUrl, url) || Contains(url, *pendingOpenUrl))) {
    SetLastGoToURL(std::nullopt);
  }
  ControllerPort* controller = Current<ControllerPort>();
  if (!Settings().linkOn || controller == nullptr || !controller->MainFrameExists()) return;
  PercentDecode(url);
  Visit visit;
  visit.url = url;
  visit.storeUrl = url;
  visit.isHtml = isHtml;
  if (IsNewsOrMailto(visit.storeUrl)) {
    visit.notPage = true;
  } else {
    // Visit-tag pages get no local copy.
    if (VisitTagsRun() && Settings().keepLocalCopies) {
      SetRecButton(button::kUp);
      visit.restoreButton = true;
    }
    visit.storeUrl = NormaliseUrlForStore(visit.storeUrl, nullptr, false);
    if (IsNavigableUrl(visit.storeUrl)) {
      RequestQueue* queue = Current<RequestQueue>();
      if (queue != nullptr && queue->contains(visit.storeUrl)) {
        if (visit.restoreButton) SetRecButton(button::kDown);
        return;
      }
      bool localWithoutCopy = HasFilePrefix(visit.storeUrl) &&
                              (Settings().replayMode & replay_mode::kNoCopyOfLocalPage) != 0;
      if (localWithoutCopy || !Settings().keepLocalCopies) {
        RecordWithoutCopy(visit);
      } else {
        FetchOrRefresh(visit);
      }
    }
  }
  NotifyNavigators(visit);
  if (visit.restoreButton) SetRecButton(button::kDown);
}

// The page's copy is looked up; a missing or stale one is fetched, a fresh one is left as it is.
void RecordingPipeline::FetchOrRefresh(Visit& visit) {
  std::string localFile;
  visit.found = FindStoredCopy(StorePathOf(visit.storeUrl), &localFile);
  bool stale = IsStale(Settings().recordLevel, localFile, Now());
  if ((visit.found == kStoredCopyFound && !stale) || visit.found == kStoredCopyIsDirectory) {
    RecordWithoutCopy(visit);
    return;
  }
  if ((Settings().recordLevel & record_level::kHtmlOnly) != 0 && !visit.isHtml) {
    RecordPlainVisit(visit.storeUrl, visit.url);
    return;
  }
  NavigationState* navigation = Current<NavigationState>();
  if (visit.isHtml && navigation != nullptr) navigation->forceNextFetch = 0;
  std::uint32_t flags = visit.isHtml ? fetch_flag::kProcessPage : 0;
  if (stale) flags |= fetch_flag::kDeleteStale;
  AddRequest(visit.storeUrl, visit.url, localFile, flags);
}

// No copy is made or refreshed; the page may still be read for its links, words or Visit tags.
void RecordingPipeline::RecordWithoutCopy(Visit& visit) {
  NavigationState* navigation = Current<NavigationState>();
  bool linksWanted = navigation != nullptr && navigation->currentNavigator != nullptr &&
                     IsLinkFollowingKind(navigation->currentNavigator->kind());
  bool contentNeeded = (navigation != nullptr && navigation->forceNextFetch) || linksWanted ||
                       Settings().keywordWatchActive ||
                       (Settings().miscellaneous & miscellaneous_flag::kFollowVisitTags) != 0;
  if (contentNeeded && visit.isHtml) {
    navigation->forceNextFetch = 0;
    AddRequest(visit.storeUrl, visit.url, NewTempFileName(),
               fetch_flag::kDeleteAfter | fetch_flag::kProcessPage);
    visit.processingQueued = true;
    return;
  }
  if (!visit.isHtml) {
    RecordPlainVisit(visit.storeUrl, visit.url);
    return;
  }
  if (contentNeeded || !Settings().recordHistory || KeepsOutOfHistory()) return;
  std::string title;
  RecordInHistory(visit.url, false, &title);
}

// The running navigators learn of the visit. Without a store lookup, the page counts as done
// unless its processing (which reports it) was queued: the tick then need not wait out the
// forced end of a page that will never be reported.
void RecordingPipeline::NotifyNavigators(const Visit& visit) {
  NavigationState* navigation = Current<NavigationState>();
  if (navigation == nullptr) return;
  bool followsVisitTags = (Settings().miscellaneous & miscellaneous_flag::kFollowVisitTags) != 0;
  if (followsVisitTags && navigation->visitNavigator != nullptr) {
    if (!navigation->visitNavigator->active) {
      navigation->visitNavigator.reset();
    } else if (visit.notPage) {
      navigation->visitNavigator->pageVisited(visit.storeUrl);
    }
    return;
  }
  Navigator* current = navigation->currentNavigator.get();
  if (current == nullptr) return;
  if (!current->active) {
    navigation->currentNavigator.reset();
    return;
  }
  if (visit.notPage) current->pageVisited(visit.storeUrl);
  bool doneWithoutLookup = visit.found == kNoLookup && !visit.processingQueued;
  if (visit.found > 0 || doneWithoutLookup || IsReplayLikeKind(current->kind())) {
    current->pageDone = 1;
  }
}

bool RecordingPipeline::KeepsOutOfHistory() const {
  const NavigationState* navigation = Current<NavigationState>();
  return NavigatorRuns() && IsReplayLikeKind(navigation->currentNavigator->kind()) &&
         (Settings().replayMode & replay_mode::kNoHistoryWhileReplaying) != 0;
}

void RecordingPipeline::RecordPlainVisit(std::string_view, std::string_view url) {
  if (!Settings().recordHistory || KeepsOutOfHistory()) return;
  BrowserControl* control = Current<BrowserControl>();
  std::optional<std::string> shown =
      control != nullptr ? control->link().GetBrowserUrl() : std::nullopt;
  if (!shown || *shown != url) return;
  UrlParts parts;
  ParseUrl(url, &parts);
  if (parts.path.absent()) return;
  std::string_view path = parts.path.view();
  std::size_t lastSlash = path.rfind('/');
  std::string title(lastSlash == std::string_view::npos ? path : path.substr(lastSlash + 1));
  RecordInHistory(url, true, &title);
}

int RecordingPipeline::FinishFetchedPage(std::string_view storeUrl, std::string_view sourceUrl,
                                         const std::string& file, std::uint32_t flags) {
  // The page's display time counts from its processing.
  if (NavigationState* navigation = Current<NavigationState>()) navigation->lastStepTime = Now();
  std::string title;
  int result = RewriteStoredPage(storeUrl, sourceUrl, file, &title);
  if ((flags & fetch_flag::kDeleteAfter) != 0) Current<Files>()->RemoveFile(file);
  if (result != 0) {
    RecordPlainVisit(storeUrl, sourceUrl);
    return result;
  }
  if (Settings().recordHistory && !KeepsOutOfHistory()) RecordInHistory(sourceUrl, true, &title);
  return 0;
}

}  // namespace corvisant
