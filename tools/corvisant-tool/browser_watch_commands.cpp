// browser title-test|alert-test|progress-test|clamp: the rules by which the system knows the
// browser's windows and dialogs and places the browser's window, on given values, in every
// build. browser find|launch|work-window|dialogs: the browser's process, its launch from the
// registry, the work window and one watch of its dialogs, on the live desktop (Windows build).
#include <climits>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "browser/browser_discovery.h"
#include "browser/dialog_rules.h"
#include "browser/dialog_watcher.h"
#include "platform/ports.h"
#include "tools/corvisant-tool/arguments.h"
#include "tools/corvisant-tool/browser_live.h"
#include "tools/corvisant-tool/browser_watch_live.h"

namespace corvisant::tool {
namespace {

constexpr std::string_view kVersionOption = "--version";
constexpr std::string_view kClientOption = "--client";
constexpr std::string_view kChildOption = "--child";
constexpr std::string_view kAnswerOption = "--answer";
// Coordinates and sizes the commands take.
constexpr long long kCoordinateLimit = INT_MAX / 2;

int Outcome(bool done) { return done ? kExitDone : kExitNothing; }

bool ReadCoordinate(std::string_view word, int* value) {
  long long number = 0;
  if (!ParseNumberIn(word, -kCoordinateLimit, kCoordinateLimit, &number)) return false;
  *value = static_cast<int>(number);
  return true;
}

// "--version N TITLE".
bool ReadVersionAndTitle(const Arguments& arguments, int* version, std::string_view* title) {
  if (arguments.size() != 3 || arguments[0] != kVersionOption) return false;
  *title = arguments[2];
  return ReadCoordinate(arguments[1], version);
}

int RunTitleTest(Context& context, const Arguments& arguments) {
  int version = 0;
  std::string_view title;
  if (!ReadVersionAndTitle(arguments, &version, &title)) return kExitUsage;
  std::fprintf(context.out, "%s\n",
               IsBrowserWindowTitle(title, version) ? "browser-window" : "other");
  return kExitDone;
}

int RunAlertTest(Context& context, const Arguments& arguments) {
  int version = 0;
  std::string_view title;
  if (!ReadVersionAndTitle(arguments, &version, &title)) return kExitUsage;
  std::fprintf(context.out, "%s\n", IsBrowserAlertTitle(title, version) ? "alert" : "other");
  return kExitDone;
}

// TITLE, then "--client W H" and any number of "--child CLASS TEXT".
bool ReadProgressFacts(const Arguments& arguments, ProgressFacts* facts) {
  if (arguments.empty()) return false;
  facts->title = std::string(arguments[0]);
  for (std::size_t i = 1; i < arguments.size(); i += 3) {
    if (i + 2 >= arguments.size()) return false;
    if (arguments[i] == kClientOption) {
      if (!ReadCoordinate(arguments[i + 1], &facts->clientWidth) ||
          !ReadCoordinate(arguments[i + 2], &facts->clientHeight)) {
        return false;
      }
    } else if (arguments[i] == kChildOption) {
      facts->children.push_back({std::string(arguments[i + 1]), std::string(arguments[i + 2])});
    } else {
      return false;
    }
  }
  return true;
}

int RunProgressTest(Context& context, const Arguments& arguments) {
  ProgressFacts facts;
  if (!ReadProgressFacts(arguments, &facts)) return kExitUsage;
  std::fprintf(context.out, "%s\n", IsProgressDialog(facts) ? "progress" : "other");
  return kExitDone;
}

int RunClamp(Context& context, const Arguments& arguments) {
  ScreenPoint point;
  ScreenExtent screen;
  if (arguments.size() != 4 || !ReadCoordinate(arguments[0], &point.x) ||
      !ReadCoordinate(arguments[1], &point.y) || !ReadCoordinate(arguments[2], &screen.width) ||
      !ReadCoordinate(arguments[3], &screen.height)) {
    return kExitUsage;
  }
  ScreenPoint place = ClampToScreen(point, screen);
  std::fprintf(context.out, "%d %d\n", place.x, place.y);
  return kExitDone;
}

// The live desktop and a DDE client of the tool's own, with the discovery over them.
class LiveBrowser {
 public:
  LiveBrowser() : desktop_(OpenLiveDesktop()), dde_(desktop_ ? OpenLiveDde(false) : nullptr) {
    if (dde_ == nullptr) return;
    link_ = std::make_unique<BrowserLink>(dde_->port(), *Current<Clock>());
    discovery_ = std::make_unique<BrowserDiscovery>(*desktop_, *link_, *Current<Clock>());
  }
  LiveBrowser(const LiveBrowser&) = delete;
  LiveBrowser& operator=(const LiveBrowser&) = delete;

  // False, with the reason on the error stream, when this build sees no browser.
  bool Ready(Context& context) const {
    if (discovery_ != nullptr) return true;
    std::fprintf(context.err,
                 "corvisant-tool: no desktop with a browser here (the Windows build has one)\n");
    return false;
  }
  BrowserDiscovery& discovery() { return *discovery_; }
  DesktopPort& desktop() { return *desktop_; }
  BrowserLink& link() { return *link_; }

 private:
  std::unique_ptr<DesktopPort> desktop_;
  std::unique_ptr<LiveDde> dde_;
  std::unique_ptr<BrowserLink> link_;
  std::unique_ptr<BrowserDiscovery> discovery_;
};

int RunFind(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
  LiveBrowser live;
  if (!live.Ready(context)) return kExitUsage;
  int count = live.discovery().FindBrowserProcess();
  std::fprintf(context.out, "count=%d\npath=%s\nversion=%d\n", count,
               Printable(live.discovery().browserProcessPath()).c_str(),
               live.link().state().browserVersion);
  return Outcome(count > 0);
}

int RunLaunch(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
  LiveBrowser live;
  if (!live.Ready(context)) return kExitUsage;
  return Outcome(live.discovery().LaunchBrowser());
}

// The window stays open when the tool ends: later commands name it by its id.
int RunWorkWindow(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
  LiveBrowser live;
  if (!live.Ready(context)) return kExitUsage;
  int count = live.discovery().FindBrowserProcess();
  if (!live.discovery().OpenWorkWindow(count > 0)) return kExitNothing;
  std::fprintf(context.out, "%lu\n", static_cast<unsigned long>(live.link().state().workWindowId));
  return kExitDone;
}

// The tool's one watch answers when told to, as a run of automatic browsing would.
class FixedAnswer : public DialogAnswerPolicy {
 public:
  explicit FixedAnswer(bool answer) : answer_(answer) {}
  bool MayAnswer() override { return answer_; }
  void Answered() override {}

 private:
  bool answer_;
};

int RunDialogs(Context& context, const Arguments& arguments) {
  bool answer = arguments.size() == 1 && arguments[0] == kAnswerOption;
  if (!arguments.empty() && !answer) return kExitUsage;
  LiveBrowser live;
  if (!live.Ready(context)) return kExitUsage;
  live.discovery().FindBrowserProcess();
  DialogWatcher watcher(live.desktop(), live.link(), *Current<Clock>());
  FixedAnswer policy(answer);
  std::vector<FoundDialog> found;
  watcher.Watch(live.discovery().firstProcessId(), policy, &found);
  for (const FoundDialog& dialog : found) {
    std::fprintf(context.out, "%s\t%s\n", Printable(dialog.title).c_str(),
                 dialog.answered ? "answered" : "not answered");
  }
  return Outcome(!found.empty());
}

const Command kBrowserWatchCommands[] = {
    {"browser", "title-test", "--version N TITLE", "browser-window or other", RunTitleTest},
    {"browser", "alert-test", "--version N TITLE", "alert or other", RunAlertTest},
    {"browser", "progress-test", "TITLE [--client W H] [--child CLASS TEXT]...",
     "progress or other", RunProgressTest},
    {"browser", "clamp", "LEFT TOP SCREENW SCREENH", "the saved window place on the screen",
     RunClamp},
    {"browser", "find", "", "the browser's process count, path and version", RunFind},
    {"browser", "launch", "", "start the browser from its App Paths entry", RunLaunch},
    {"browser", "work-window", "", "open the work window and print its window id", RunWorkWindow},
    {"browser", "dialogs", "[--answer]", "one watch of the browser's dialogs", RunDialogs},
};
const CommandRegistration registerBrowserWatch(kBrowserWatchCommands);

}  // namespace
}  // namespace corvisant::tool
