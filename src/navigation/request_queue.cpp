#include "navigation/request_queue.h"

#include <algorithm>

#include "common/preferences.h"
#include "html/stored_page_rewriter.h"
#include "navigation/browser_control.h"
#include "navigation/engine_ports.h"
#include "navigation/navigation_state.h"
#include "navigation/recording_pipeline.h"
#include "platform/ports.h"
#include "url/classify.h"
#include "url/page_store.h"
#include "url/store_files.h"

namespace corvisant {
namespace {

using namespace fetch_flag;
using namespace queue_timing;

bool Has(const FetchRequest& request, std::uint32_t flag) { return (request.flags & flag) != 0; }

bool FileExists(const std::string& path) {
  return !path.empty() && Current<Files>()->Kind(path) != PathKind::kMissing;
}

bool BrowserAnswers() {
  BrowserControl* control = Current<BrowserControl>();
  return control != nullptr && control->link().BrowserAnswers();
}

// Asks the browser to save url into file through the system's browser window: 0, or -1 when
// the browser refused.
int SaveThroughBrowser(const std::string& url, const std::string& file) {
  BrowserControl* control = Current<BrowserControl>();
  return control != nullptr ? control->SaveUrlToFile(url, file) : -1;
}

UnixTime PendingDialogTime() {
  BrowserWatch* watch = Current<BrowserWatch>();
  return watch != nullptr ? watch->PendingDialogTime() : 0;
}

void DismissBrowserDialogs() {
  if (BrowserWatch* watch = Current<BrowserWatch>()) watch->DismissDialogs();
}

int ShowPageSeconds() {
  const Preferences* preferences = Current<Preferences>();
  return preferences != nullptr ? preferences->showPage : kDefaultShowPage;
}

}  // namespace

RequestQueue::RequestQueue(UnixTime now) : lastIdleTime_(now) {}

void RequestQueue::addRequest(std::string_view url, std::string_view sourceUrl,
                              std::string_view file, std::uint32_t flags) {
  Guard guard(guardDepth_);
  if (contains(url)) return;
  if (IsPageUrl(url)) {
    NavigationState* navigation = Current<NavigationState>();
    for (const FetchRequest& queued : requests_) {
      if (navigation != nullptr && IsPageUrl(queued.url)) {
        navigation->lastStepTime += kStepDelayPerQueuedPage;
      }
    }
  }
  FetchRequest request;
  request.url = std::string(url);
  request.sourceUrl = std::string(sourceUrl);
  request.file = std::string(file);
  request.queuedAt = Current<Clock>()->Now();
  request.flags = flags;
  requests_.push_back(std::move(request));
}

bool RequestQueue::contains(std::string_view url) const {
  return std::any_of(requests_.begin(), requests_.end(),
                     [url](const FetchRequest& request) { return request.url == url; });
}

int RequestQueue::pump(UnixTime now) {
  Guard guard(guardDepth_);
  int result = 0;
  auto lastCancelled = std::find_if(requests_.rbegin(), requests_.rend(),
                                    [](const auto& request) { return Has(request, kCancelled); });
  if (lastCancelled != requests_.rend()) {
    for (auto it = lastCancelled; it != requests_.rend(); ++it) it->flags |= kCancelled;
  } else if (now - PendingDialogTime() >= kDialogHold) {
    // The walk reads the size anew at every request: a nested echo may have appended one.
    for (std::size_t i = 0; i < requests_.size(); ++i) {
      if (Has(requests_[i], kFetched)) continue;
      if (Visit(i, now, &result) == Walk::kDone) break;
    }
  }
  CleanUp();
  return result;
}

RequestQueue::Walk RequestQueue::Visit(std::size_t index, UnixTime now, int* result) {
  if (Has(requests_[index], kDeleteStale)) {
    requests_[index].flags &= ~kDeleteStale;
    Current<Files>()->RemoveFile(requests_[index].file);
  }
  if (Has(requests_[index], kRequested)) {
    if (!FileExists(requests_[index].file)) {
      *result = WaitFor(index, now);
      return Walk::kDone;
    }
    return ArriveIfSaved(index, now, result) ? Walk::kDone : Walk::kContinue;
  }
  bool noneOutstanding = outstandingSince_ == 0 || now - outstandingSince_ > kOutstandingLimit;
  if (!noneOutstanding) return Walk::kContinue;
  if (!BrowserAnswers() || BrowserBusy(now)) return Walk::kDone;
  *result = RequestSave(index, now, Has(requests_[index], kRequeued));
  return Walk::kDone;
}

// The save has arrived: the file goes to its place and on to the page processing. True when the
// walk ends here.
bool RequestQueue::ArriveIfSaved(std::size_t index, UnixTime now, int* result) {
  outstandingSince_ = 0;
  lastDeferredIssue_ = now;
  FetchRequest& arrived = requests_[index];
  arrived.flags |= kFetched;
  if (Has(arrived, kViaTempFile)) {
    // The temporary file lies on the store's own disk: it takes its place in one step, so that
    // no end of the process leaves a cut copy; a copy is the way when it cannot.
    if (!Current<Files>()->ReplaceFile(arrived.file, arrived.finalFile)) {
      MoveFileByCopy(arrived.file, arrived.finalFile);
    }
    arrived.file = arrived.finalFile;
  }
  if (Has(arrived, kProcessed)) return false;
  arrived.flags |= kProcessed;
  // Copied out: the processing may nest queue operations that move the requests.
  FetchRequest done = arrived;
  RecordingPipeline* pipeline = Current<RecordingPipeline>();
  if (Has(done, kProcessPage)) {
    if (pipeline != nullptr) {
      pipeline->FinishFetchedPage(done.url, done.sourceUrl, done.file, done.flags);
    }
    *result = 1;
    return true;
  }
  if (pipeline != nullptr) pipeline->RecordPlainVisit(done.url, done.sourceUrl);
  return false;
}

// The save of request index has not arrived yet: wait, or give the attempt up.
int RequestQueue::WaitFor(std::size_t index, UnixTime now) {
  FetchRequest& waiting = requests_[index];
  UnixTime wait = Has(waiting, kRetrying) ? kRetryWait : kFirstWait;
  if (now - outstandingSince_ <= wait || FileExists(waiting.file)) return 0;
  if (Has(waiting, kRetrying)) {
    waiting.flags = kDropped;
    outstandingSince_ = 0;
    return 0;
  }
  if (!Has(waiting, kRequeued)) {
    waiting.flags = (waiting.flags | kRequeued) & ~kRequested;
    outstandingSince_ = 0;
    if (index + 1 < requests_.size() && !IsPageUrl(waiting.url)) {
      FetchRequest copy = waiting;
      waiting.flags |= kDropped;
      requests_.push_back(std::move(copy));
    }
    return 0;
  }
  if (!BrowserAnswers() || BrowserBusy(now)) return 0;
  return RequestSave(index, now, true);
}

// Asks the browser to save request index into a fresh temporary file; a retry is the second and
// last attempt. 1: the browser was asked.
int RequestQueue::RequestSave(std::size_t index, UnixTime now, bool retry) {
  FetchRequest& request = requests_[index];
  outstandingSince_ = now;
  request.flags |= kRequested;
  if (retry) {
    request.flags |= kRetrying;
    lastRetryTime_ = now;
  }
  if (!Has(request, kViaTempFile)) request.finalFile = request.file;
  request.file = NewTempFileName();
  request.flags |= kViaTempFile;
  std::string sourceUrl = request.sourceUrl;
  std::string file = request.file;
  if (SaveThroughBrowser(sourceUrl, file) != 0) outstandingSince_ = 0;
  return 1;
}

// An unanswered browser dialog, or one of the system's own menus, in the last 6 seconds.
bool RequestQueue::BrowserBusy(UnixTime now) const {
  ControllerPort* controller = Current<ControllerPort>();
  UnixTime menuTime = controller != nullptr ? controller->MenuTime() : 0;
  return now - PendingDialogTime() < kBusyHold || now - menuTime < kBusyHold;
}

void RequestQueue::CleanUp() {
  for (auto it = requests_.begin(); it != requests_.end();) {
    if (!Has(*it, kCancelled | kFetched | kDropped)) {
      ++it;
      continue;
    }
    if (Has(*it, kCancelled)) outstandingSince_ = 0;
    it = requests_.erase(it);
  }
}

bool RequestQueue::isIdle(UnixTime now) {
  Guard guard(guardDepth_);
  UnixTime elapsed = now - lastIdleTime_;
  UnixTime stallLimit = std::max<UnixTime>(
      static_cast<UnixTime>(kStallLimitShows) * ShowPageSeconds(), kMinimumStallLimit);
  PruneDeferred(now);
  bool idle = true;
  if (elapsed <= stallLimit) {
    idle = requests_.empty() && deferred_.empty();
  } else {
    Flush();
  }
  if (idle) lastIdleTime_ = now;
  return idle;
}

// Drops what is no longer worth fetching: every deferred object after a purge; otherwise, once
// no frame tag has been seen for a minute, those of the first five that are already there or
// belong to a page the browser no longer shows.
void RequestQueue::PruneDeferred(UnixTime now) {
  if (purgeDeferred_) {
    deferred_.clear();
    purgeDeferred_ = false;
    return;
  }
  if (deferred_.empty()) return;
  FrameTracker* frames = Current<FrameTracker>();
  UnixTime lastFrameTag = frames != nullptr ? frames->lastFrameTagTime() : 0;
  if (now - lastFrameTag <= kFrameQuietTime) return;
  BrowserControl* control = Current<BrowserControl>();
  std::optional<std::string> shown =
      control != nullptr ? control->link().GetBrowserUrl() : std::nullopt;
  std::size_t looked = 0;
  for (auto it = deferred_.begin(); it != deferred_.end() && looked < kDeferredPrunedPerTest;
       ++looked) {
    bool gone = FileExists(it->file) || (shown && it->pageUrl != *shown);
    it = gone ? deferred_.erase(it) : it + 1;
  }
}

// No idle moment for too long: the images still wanted are asked for without waiting, and the
// queue starts again from nothing.
void RequestQueue::Flush() {
  Clock& clock = *Current<Clock>();
  std::vector<FetchRequest> flushed;
  flushed.swap(requests_);
  for (std::size_t i = 1; i < flushed.size(); ++i) {
    if (!IsImageUrl(flushed[i].sourceUrl) || FileExists(flushed[i].file)) continue;
    for (int check = 0; check < kFlushAnswerChecks && !BrowserAnswers(); ++check) {
      clock.Sleep(kFlushAnswerPauseMs);
    }
    SaveThroughBrowser(flushed[i].sourceUrl, flushed[i].file);
    clock.Sleep(kFlushSavePauseMs);
  }
  purgeDeferred_ = true;
  addRequest("", "", "", kCancelled);
  DismissBrowserDialogs();
}

void RequestQueue::clear() {
  Guard guard(guardDepth_);
  purgeDeferred_ = true;
  outstandingSince_ = 0;
  addRequest("", "", "", kCancelled);
  DismissBrowserDialogs();
  if (RecordingPipeline* pipeline = Current<RecordingPipeline>()) {
    pipeline->lastArrivalTime = 0;
    pipeline->opensSinceArrival = 0;
    pipeline->SetLastGoToURL(std::nullopt);
  }
}

void RequestQueue::deferObject(std::string_view pageUrl, std::string_view objectUrl,
                               std::string_view file) {
  Guard guard(guardDepth_);
  NavigationState* navigation = Current<NavigationState>();
  bool visitRunning = navigation != nullptr && navigation->visitNavigator != nullptr &&
                      navigation->visitNavigator->active;
  if (file.find('^') != std::string_view::npos || !IsImageUrl(file) || visitRunning) return;
  bool known = std::any_of(deferred_.begin(), deferred_.end(),
                           [file](const DeferredObject& object) { return object.file == file; });
  if (!known) {
    deferred_.push_back({std::string(file), std::string(pageUrl), std::string(objectUrl)});
  }
}

void RequestQueue::reissueDeferred(UnixTime now) {
  Guard guard(guardDepth_);
  if (!requests_.empty() || deferred_.empty() || now - lastDeferredIssue_ <= kDeferredIssueDelay) {
    return;
  }
  std::vector<DeferredObject> objects;
  objects.swap(deferred_);
  for (const DeferredObject& object : objects) {
    if (FileExists(object.file)) continue;
    std::string file = EnsureDirectoriesFor(object.file);
    addRequest(object.objectUrl, object.objectUrl, file, 0);
  }
}

void RequestQueue::shutdown() {
  clear();
  requests_.clear();
}

}  // namespace corvisant
