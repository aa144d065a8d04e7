#ifndef STANDIN_CORE_STANDIN_BROWSER_H_
#define STANDIN_CORE_STANDIN_BROWSER_H_

// The stand-in browser: the far end of the browser link, as a plain object. It answers the
// WWW_ DDE topics, keeps browser windows with their DDE ids, shows documents, saves them where
// it is asked to, pokes URL echoes to the registered servers and raises dialogs.
//
// It owns no thread and never sleeps. An embedding does four things:
//
//   standin::Browser browser(options, host);   // host: clock, pokes, files, network, notices
//   browser.Start();                           // opens the first window
//   reply = browser.Request(topic, item);      // for every XTYP_REQUEST (Poke for XTYP_POKE)
//   next = browser.RunDue();                   // whenever its clock reaches `next`
//
// A request opens the windows and dialogs it asks for at once (their Host notices come before
// it returns); documents are shown, saves written and echoes poked only inside RunDue. Nothing
// reads a document or pokes inside Request or Poke. Any call may be made while another one is
// inside Host::Poke (the echo receiver may ask the browser for its window's title); RunDue
// entered that way returns at once and the outer RunDue does the work.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "standin/core/browser_types.h"
#include "standin/core/dde_text.h"
#include "standin/core/host.h"
#include "standin/core/options.h"

namespace standin {

class Browser {
 public:
  Browser(Options options, Host& host);
  Browser(const Browser&) = delete;
  Browser& operator=(const Browser&) = delete;

  void Start();

  // The DDE service "NETSCAPE". A request's reply is the exact bytes to hand back (texts carry
  // their terminator); nothing means no data. Under --mute nothing is ever answered and the
  // shell should hold the transaction (CBR_BLOCK) so that the client waits its time-out out.
  bool AcceptsTopic(std::string_view topic) const;
  std::optional<std::string> Request(std::string_view topic, std::string_view item);
  bool Poke(std::string_view topic, std::string_view item);
  bool muted() const { return options_.mute; }

  // Does what is due by Host::NowMs(); returns when the next thing is due, nothing when idle.
  std::optional<std::uint64_t> RunDue();
  // --exit-when-done: the browse list has been played out and no save is pending.
  bool ShouldExit() const;

  // What the person at the screen (or a simulated desktop) does.
  void Activate(WindowId id);
  void SetVisible(WindowId id, bool visible);
  void FollowLink(WindowId id, std::string_view url);
  void CloseWindow(WindowId id);
  void PressButton(int dialog_id, int control_id);
  void CloseDialog(int dialog_id);

  const Options& options() const { return options_; }
  const std::vector<BrowserWindow>& windows() const { return windows_; }
  const BrowserWindow* FindWindow(WindowId id) const;
  // The most recently activated visible window (the most recent one when all are hidden).
  WindowId last_active() const;
  const std::vector<Dialog>& dialogs() const { return dialogs_; }
  std::string CaptionOf(const BrowserWindow& window) const {
    return WindowCaption(options_.version, window.title);
  }

 private:
  enum class TaskKind { kDisplay, kSave, kBrowseStep, kEchoRetry };
  struct Task {
    TaskKind kind;
    std::uint32_t target = 0;  // window id, save id or echo id
    std::uint64_t serial = 0;  // which load of the window
  };
  struct PendingLoad {
    std::string url;
    std::uint64_t serial = 0;
  };
  struct PendingSave {
    std::string url;
    std::string file;
    int dialog_id = 0;
  };
  struct PendingEcho {
    std::string server;
    std::string item;
    int attempt = 1;
  };
  using RequestHandler = std::optional<std::string> (Browser::*)(std::string_view item);

  static const std::map<std::string_view, RequestHandler>& RequestTopics();
  std::optional<std::string> VersionReply(std::string_view item);
  std::optional<std::string> ListWindowsReply(std::string_view item);
  std::optional<std::string> WindowInfo(std::string_view item);
  std::optional<std::string> OpenUrlReply(std::string_view item);

  WindowId Open(WindowId target, const std::string& url);
  WindowId Save(const OpenUrlRequest& request);
  WindowId NewWindow();
  WindowId ExistingWindow(WindowId target) const;
  BrowserWindow* Find(WindowId id);
  void Schedule(std::uint32_t delay_ms, Task task);
  void Perform(const Task& task);
  void Display(WindowId id, std::uint64_t serial);
  void EchoToServers(const BrowserWindow& window);
  void SendEcho(PendingEcho echo);
  void AlertAfterDisplay(const std::string& url, bool missing);
  void FinishSave(std::uint32_t save_id);
  void StartBrowsing();
  void BrowseStep();
  void RaiseControlDialog(const std::string& url);
  int OpenDialog(Dialog dialog);
  void RemoveDialog(int dialog_id, std::string_view how);
  void Log(const std::string& line) { host_.Log(line); }

  Options options_;
  Host& host_;
  std::vector<BrowserWindow> windows_;
  std::vector<WindowId> activation_order_;  // least recently activated first
  WindowId next_window_id_ = 1;
  std::set<std::string> echo_servers_;
  std::map<std::uint32_t, PendingEcho> echo_retries_;
  std::uint32_t next_echo_id_ = 1;
  std::map<WindowId, PendingLoad> loads_;
  std::map<std::uint32_t, PendingSave> saves_;
  std::uint32_t next_save_id_ = 1;
  std::vector<Dialog> dialogs_;
  int next_dialog_id_ = 1;
  std::multimap<std::uint64_t, Task> timeline_;  // by due time, then in order of scheduling
  std::uint64_t next_serial_ = 1;
  std::vector<std::string> browse_urls_;
  std::size_t browse_next_ = 0;
  bool browse_started_ = false;
  bool browse_finished_ = false;
  std::uint64_t pages_shown_ = 0;
  bool running_ = false;
};

}  // namespace standin

#endif  // STANDIN_CORE_STANDIN_BROWSER_H_
