// The browser link: the plain browser operations over the DDE port (ask whether the browser
// answers, list its windows, read the active window's title and URL, open and save URLs, switch
// the URL echo) and the link state they share. It knows nothing of the request queue or the
// navigators: the engine calls these operations and keeps its own bookkeeping around them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/dde_port.h"
#include "platform/clock.h"

namespace corvisant {

// Told of every URL echo the browser pokes to this system's server (the item text as received,
// never empty).
class UrlEchoHandler {
 public:
  virtual ~UrlEchoHandler() = default;
  virtual void HandleUrlEcho(std::string_view item) = 0;
};

struct BrowserLinkState {
  // 4 for Communicator, 3 for Navigator, 0 when not known; set by the browser process lookup.
  int browserVersion = 0;
  // The browser's id of the window this system opened for itself: the target of every save.
  std::uint32_t workWindowId = 0;
  // The last page URL a save request was made for.
  std::optional<std::string> lastSavedPageUrl;
  // Makes the next save bring a visible browser window to the front first.
  bool raiseBrowserBeforeSave = false;
  // Set when a browser dialog was answered; read by the next save.
  bool refocusAfterDialog = false;
};

// Answers given to the clients of this system's server.
constexpr int kServerAccepts = 1;
constexpr int kServerNoAnswer = 0;

// Attempts, and the pause after each failed one, of the window-list and window-info requests
// and of the answer check before an open.
constexpr int kWindowRequestAttempts = 3;
constexpr unsigned kWindowRequestPauseMs = 100;
constexpr int kAnswerChecks = 3;
constexpr unsigned kAnswerCheckPauseMs = 400;

class BrowserLink : public DdeServerCallback {
 public:
  // Installs itself as the callback of the port's server while it lives.
  BrowserLink(DdePort& dde, Clock& clock);
  ~BrowserLink() override;
  BrowserLink(const BrowserLink&) = delete;
  BrowserLink& operator=(const BrowserLink&) = delete;

  BrowserLinkState& state() { return state_; }
  // Receives the URL echoes (null: they are dropped).
  void SetUrlEchoHandler(UrlEchoHandler* handler) { echoHandler_ = handler; }

  // One "WWW_Version" request: true when a reply came.
  bool BrowserAnswers();
  // The check before an open: up to kAnswerChecks times, kAnswerCheckPauseMs after each miss.
  bool WaitForBrowserAnswer();
  // Appends the browser's window ids to list; false when no attempt got a reply.
  bool ListBrowserWindows(std::vector<std::uint32_t>& list);
  // The last active window's title (at most kBrowserTitleMax bytes); empty without a reply.
  std::string GetBrowserTitle();
  // The last active window's URL; none without a reply.
  std::optional<std::string> GetBrowserUrl();

  // The "WWW_OpenURL" request of an open in the last active window; true when a reply came.
  bool RequestOpen(std::string_view url, bool reload);
  // Opens url in a new browser window; an empty url does nothing (false).
  bool OpenUrlInNewWindow(std::string_view url);
  // Asks the browser to save url into storeRoot\relativeFile through workWindowId; returns the
  // window that took the request (0 without a reply; SaveResult tells a refusal).
  std::uint32_t RequestSave(std::string_view url, std::string_view storeRoot,
                            std::string_view relativeFile);
  // After a save request: when url is a page URL other than lastSavedPageUrl, it becomes
  // lastSavedPageUrl and the answer is true (the engine then restarts its step time).
  bool NoteSavedPage(std::string_view url);

  // Switch the browser's URL echo to this system's server on and off.
  void RegisterUrlEcho();
  void UnregisterUrlEcho();

  // The server: connects are accepted on every topic; a poke on the URL echo topic with an item
  // goes to the echo handler; everything is otherwise answered with nothing.
  int AnswerServer(unsigned type, std::string_view topic, std::string_view item) override;

 private:
  DdeReply Ask(const char* topic, std::string_view item, unsigned type);
  DdeReply AskWithRetries(const char* topic, std::string_view item);

  DdePort& dde_;
  Clock& clock_;
  UrlEchoHandler* echoHandler_ = nullptr;
  BrowserLinkState state_;
};

}  // namespace corvisant
