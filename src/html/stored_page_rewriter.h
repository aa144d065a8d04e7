// The rewrite of a stored page: every link, image, frame, background and refresh target turned
// into a relative reference to the local copy of its target, so that the copy can be browsed
// from the disk; the base tag commented out; the title taken; the links collected for the
// navigation engine; the images deferred to the request queue; the Visit tags picked up for the
// replay.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/times.h"
#include "html/visit_tags.h"

namespace corvisant {

// What one rewrite collected, for callers that want to see it (the hand-offs get it too).
struct RewriteOutcome {
  struct DeferredImage {
    std::string imageUrl;
    std::string localName;
  };
  // The anchors' targets in page order, resolved against the base and in real (unmapped) form.
  std::vector<std::string> links;
  // The images handed to the request queue.
  std::vector<DeferredImage> images;
  // The page's Visit tags, read only while "read and follow Visit Tags" is on.
  bool hasVisitTags = false;
  VisitTagList visits;
  // The frame tags of the page: each one is a frame page that the browser will fetch next.
  int frameTags = 0;
};

// The frame pages announced by frame tags and not yet rewritten: the rewrite of a frame page
// queues its images even though the browser shows the frameset. One per process, owned by the
// wiring place (Current<FrameTracker>()); without one, no frame page is awaited.
class FrameTracker {
 public:
  // Counts frame tags seen at time now.
  void NoteFrameTags(int count, UnixTime now);
  // True (and one fewer awaited) when a frame page is awaited.
  bool TakeAwaitedFrame();
  int pending() const { return pending_; }
  // When the last frame tag was seen (0 before any); the pruning of deferred objects reads it.
  UnixTime lastFrameTagTime() const { return lastFrameTag_; }

 private:
  int pending_ = 0;
  UnixTime lastFrameTag_ = 0;
};

// Rewrites in place the file at localPath, the local copy of pageUrl (normalised for the store),
// which the browser reported as reportedUrl. 0 when the file was rewritten; -1 when it was not
// (it cannot be opened, is not HTML, or the rewritten page could not be written, in which case
// the file keeps its old bytes). *title receives the page's title (empty without one).
int RewriteStoredPage(std::string_view pageUrl, std::string_view reportedUrl,
                      const std::string& localPath, std::string* title,
                      RewriteOutcome* outcome = nullptr);

}  // namespace corvisant
