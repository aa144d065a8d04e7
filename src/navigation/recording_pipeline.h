// The recording of visited pages: every URL echo of the browser becomes the system's reaction to
// a visited page. The echo is read and filtered (repeats of the last HTML page are dropped), the
// open and arrival bookkeeping is kept, and the Rec and Track switches with the recording level
// decide whether the page enters the history and whether a local copy is fetched or refreshed
// through the request queue. The queue hands the fetched files back here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "browser/browser_link.h"
#include "common/times.h"

namespace corvisant {

namespace recording {
// A repeat of the last HTML echo within this many seconds is dropped; while a run is active, the
// longer window.
constexpr UnixTime kRepeatWindow = 15;
constexpr UnixTime kRunningRepeatWindow = 60;
// A run's pages that arrive later than this after its start, for the previous open, are dropped.
constexpr UnixTime kLateArrivalAge = 60;
// The refresh ages of the recording level: a day, a week, and "a month" of 210 days.
constexpr UnixTime kOneDay = 86400;
constexpr UnixTime kOneWeek = 604800;
constexpr UnixTime kOneMonth = 18144000;
}  // namespace recording

class RecordingPipeline : public UrlEchoHandler {
 public:
  // Every poke on the URL echo topic.
  void HandleUrlEcho(std::string_view itemText) override;
  // The per-page handler; url is decoded in place.
  void HandleVisitedPage(std::string url, bool isHtml);
  // Bookkeeping of open requests: u is about to be opened, or none (the open is forgotten).
  void SetLastGoToURL(std::optional<std::string_view> u);
  // The history entry of a page that is not processed.
  void RecordPlainVisit(std::string_view storeUrl, std::string_view url);
  // The queue's hand-over of a fetched page file: processed, entered in the history; 0 when it
  // was processed.
  int FinishFetchedPage(std::string_view storeUrl, std::string_view sourceUrl,
                        const std::string& file, std::uint32_t flags);

  // The echo filter.
  std::optional<std::string> lastEchoUrl;
  UnixTime lastEchoAcceptTime = 0;
  // The open and arrival bookkeeping.
  std::optional<std::string> pendingOpenUrl;
  std::optional<std::string> previousOpenUrl;
  UnixTime pendingOpenTime = 0;
  UnixTime lastArrivalTime = 0;
  int opensSinceArrival = 0;
  UnixTime runStartTime = 0;

 private:
  struct Visit;
  bool IsLateArrival(const std::string& url, UnixTime now) const;
  void FetchOrRefresh(Visit& visit);
  void RecordWithoutCopy(Visit& visit);
  void NotifyNavigators(const Visit& visit);
  bool KeepsOutOfHistory() const;
};

}  // namespace corvisant
