// The request queue: the pages and images the browser is to save into the page store, one save
// outstanding at a time. A request waits for its file to appear, is moved to the end and tried
// once more when it does not, and its file is handed to the page processing when it arrives. The
// embedded objects of stored pages wait beside it until the queue has nothing else to do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/times.h"
#include "html/rewrite_handoffs.h"

namespace corvisant {

namespace fetch_flag {
// Delete the file after it has been processed (a page read only for its links or words).
constexpr std::uint32_t kDeleteAfter = 0x001;
// Run the page processing on the file; without it the page only enters the history.
constexpr std::uint32_t kProcessPage = 0x002;
constexpr std::uint32_t kFetched = 0x004;
// Failed, or moved to the end: removed at the end of the pass.
constexpr std::uint32_t kDropped = 0x008;
constexpr std::uint32_t kRequested = 0x010;
constexpr std::uint32_t kProcessed = 0x020;
// Delete the stored copy before asking the browser for a fresh one.
constexpr std::uint32_t kDeleteStale = 0x040;
// The browser saves into a temporary file, copied to finalFile when it arrives.
constexpr std::uint32_t kViaTempFile = 0x080;
// This request and every earlier one are removed.
constexpr std::uint32_t kCancelled = 0x100;
constexpr std::uint32_t kRetrying = 0x200;
// The first attempt timed out and the request went to the end of the queue.
constexpr std::uint32_t kRequeued = 0x400;
}  // namespace fetch_flag

struct FetchRequest {
  // The URL as the page store knows it: the key.
  std::string url;
  // The URL as the browser echoed it: what the browser is asked to save.
  std::string sourceUrl;
  // Where the browser saves (the temporary file while one is used).
  std::string file;
  // While a temporary file is used, the destination in the page store.
  std::string finalFile;
  UnixTime queuedAt = 0;
  std::uint32_t flags = 0;
};

struct DeferredObject {
  std::string file;
  std::string pageUrl;
  std::string objectUrl;
};

// How the queue's timings are set.
namespace queue_timing {
constexpr UnixTime kStepDelayPerQueuedPage = 2;
constexpr UnixTime kOutstandingLimit = 60;
constexpr UnixTime kFirstWait = 3;
constexpr UnixTime kRetryWait = 5;
constexpr UnixTime kDialogHold = 5;
constexpr UnixTime kBusyHold = 6;
constexpr UnixTime kMinimumStallLimit = 40;
constexpr int kStallLimitShows = 3;
constexpr UnixTime kDeferredIssueDelay = 5;
constexpr UnixTime kFrameQuietTime = 60;
constexpr std::size_t kDeferredPrunedPerTest = 5;
constexpr int kFlushAnswerChecks = 3;
constexpr unsigned kFlushAnswerPauseMs = 500;
constexpr unsigned kFlushSavePauseMs = 300;
}  // namespace queue_timing

class RequestQueue : public ImageDeferral {
 public:
  explicit RequestQueue(UnixTime now);

  // Appends a request unless one for url is queued; a page request moves the step time on by
  // 2 s for every page request already waiting.
  void addRequest(std::string_view url, std::string_view sourceUrl, std::string_view file,
                  std::uint32_t flags);
  bool contains(std::string_view url) const;
  // One pass: 1 when the browser was asked for a save in it.
  int pump(UnixTime now);
  // Nothing to fetch; a queue that has made no progress for too long is flushed and counts as
  // idle.
  bool isIdle(UnixTime now);
  // Drops every request at the next pass, and the deferred objects; dismisses the browser's
  // dialogs; forgets the pending open and the arrivals.
  void clear();
  // An embedded object of a stored page, fetched when the queue is otherwise idle.
  void deferObject(std::string_view pageUrl, std::string_view objectUrl, std::string_view file);
  void DeferObject(std::string_view reportedUrl, std::string_view imageUrl,
                   std::string_view localName) override {
    deferObject(reportedUrl, imageUrl, localName);
  }
  // Queues the deferred objects once nothing else is waiting.
  void reissueDeferred(UnixTime now);
  void purgeDeferredOnNextPass() { purgeDeferred_ = true; }
  // At exit: every request dropped.
  void shutdown();

  // When the last retry was asked for (the tick waits 2 s after one).
  UnixTime lastRetryTime() const { return lastRetryTime_; }
  const std::vector<FetchRequest>& requests() const { return requests_; }
  const std::vector<DeferredObject>& deferred() const { return deferred_; }
  UnixTime outstandingSince() const { return outstandingSince_; }

 private:
  // The queue's operations nest on the one thread (a DDE transaction inside a pass dispatches
  // URL echoes that add requests), so the guard counts its holders and never blocks. Requests are
  // reached by index, never by a reference held across a call that may nest: an append may move
  // them.
  class Guard {
   public:
    explicit Guard(int& depth) : depth_(depth) { ++depth_; }
    ~Guard() { --depth_; }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

   private:
    int& depth_;
  };

  enum class Walk { kContinue, kDone };
  Walk Visit(std::size_t index, UnixTime now, int* result);
  bool ArriveIfSaved(std::size_t index, UnixTime now, int* result);
  int WaitFor(std::size_t index, UnixTime now);
  int RequestSave(std::size_t index, UnixTime now, bool retry);
  bool BrowserBusy(UnixTime now) const;
  void CleanUp();
  void PruneDeferred(UnixTime now);
  void Flush();

  std::vector<FetchRequest> requests_;
  std::vector<DeferredObject> deferred_;
  UnixTime outstandingSince_ = 0;
  bool purgeDeferred_ = false;
  UnixTime lastIdleTime_;
  UnixTime lastDeferredIssue_ = 0;
  UnixTime lastRetryTime_ = 0;
  int guardDepth_ = 0;
};

}  // namespace corvisant
