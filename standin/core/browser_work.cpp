// The part of the browser that runs on its clock: documents shown, echoes poked, saves
// written, the simulated user's steps, and the dialogs these raise.

#include <algorithm>

#include "standin/core/control_urls.h"
#include "standin/core/dialogs.h"
#include "standin/core/documents.h"
#include "standin/core/page_scan.h"
#include "standin/core/standin_browser.h"
#include "standin/core/url_text.h"

namespace standin {
namespace {

constexpr std::string_view kEchoTopic = "WWW_URLEcho";
// A receiver busy in a transaction of its own may miss an echo; it is tried again a little later.
constexpr int kEchoAttempts = 3;
constexpr std::uint32_t kEchoRetryDelayMs = 500;
constexpr std::string_view kControlAlertText = "This alert was asked for with standin:alert.";

bool IsHtml(std::string_view mime) {
  return AsciiLower(mime.substr(0, kHtmlMime.size())) == kHtmlMime;
}

}  // namespace

std::optional<std::uint64_t> Browser::RunDue() {
  if (!running_) {
    running_ = true;
    for (auto next = timeline_.begin(); next != timeline_.end() && next->first <= host_.NowMs();
         next = timeline_.begin()) {
      Task task = next->second;
      timeline_.erase(next);
      Perform(task);
    }
    running_ = false;
  }
  if (timeline_.empty()) return std::nullopt;
  return timeline_.begin()->first;
}

void Browser::Schedule(std::uint32_t delay_ms, Task task) {
  timeline_.emplace(host_.NowMs() + delay_ms, task);
}

void Browser::Perform(const Task& task) {
  switch (task.kind) {
    case TaskKind::kDisplay:
      Display(task.target, task.serial);
      break;
    case TaskKind::kSave:
      FinishSave(task.target);
      break;
    case TaskKind::kBrowseStep:
      BrowseStep();
      break;
    case TaskKind::kEchoRetry:
      if (auto echo = echo_retries_.find(task.target); echo != echo_retries_.end()) {
        PendingEcho retry = echo->second;
        echo_retries_.erase(echo);
        if (echo_servers_.count(retry.server) > 0) SendEcho(retry);
      }
      break;
  }
}

// A later open of the same window replaces an earlier one that has not been shown yet.
void Browser::Display(WindowId id, std::uint64_t serial) {
  auto load = loads_.find(id);
  if (load == loads_.end() || load->second.serial != serial) return;
  const std::string url = load->second.url;
  loads_.erase(load);
  Document document = LoadDocument(host_, options_.site_dir, url);
  BrowserWindow* window = Find(id);
  if (!window) return;
  window->url = url;
  window->mime = document.mime;
  PageFacts facts;
  if (IsHtml(document.mime)) facts = ScanPage(document.bytes, url);
  window->title = facts.title.empty() ? url : facts.title;
  window->links = std::move(facts.links);
  ++pages_shown_;
  const BrowserWindow shown = *window;  // the notices below may change the windows
  Log("shown " + std::to_string(id) + " " + url + " " + shown.mime);
  host_.WindowChanged(shown);
  EchoToServers(shown);
  AlertAfterDisplay(url, document.missing);
}

void Browser::EchoToServers(const BrowserWindow& window) {
  const std::set<std::string> servers = echo_servers_;
  const std::string item = EchoItem(window.url, window.mime, window.id);
  for (const std::string& server : servers) SendEcho(PendingEcho{server, item});
}

void Browser::SendEcho(PendingEcho echo) {
  Log("echo " + echo.server + " " + echo.item);
  if (host_.Poke(echo.server, std::string(kEchoTopic), echo.item)) return;
  Log("echo-failed " + echo.server);
  if (echo.attempt == kEchoAttempts) return;
  ++echo.attempt;
  const std::uint32_t id = next_echo_id_++;
  echo_retries_[id] = std::move(echo);
  Schedule(kEchoRetryDelayMs, Task{TaskKind::kEchoRetry, id});
}

void Browser::AlertAfterDisplay(const std::string& url, bool missing) {
  const int version = options_.version;
  const int language = options_.dialog_language;
  if (missing && options_.alert_on_missing) {
    OpenDialog(
        AlertDialog(version, language, "Netscape is unable to locate the document " + url + "."));
  }
  if (options_.alert_every > 0 && pages_shown_ % options_.alert_every == 0) {
    OpenDialog(AlertDialog(version, language,
                           "This is the alert after page " + std::to_string(pages_shown_) + "."));
  }
}

void Browser::FinishSave(std::uint32_t save_id) {
  auto pending = saves_.find(save_id);
  if (pending == saves_.end()) return;  // cancelled
  const PendingSave save = pending->second;
  saves_.erase(pending);
  Document document = LoadDocument(host_, options_.site_dir, save.url);
  const bool written = host_.WriteFile(save.file, document.bytes);
  Log((written ? "saved " : "save-failed ") + save.url + " -> " + save.file);
  if (save.dialog_id != 0) RemoveDialog(save.dialog_id, "done");
}

void Browser::StartBrowsing() {
  if (browse_started_ || options_.browse_file.empty()) return;
  browse_started_ = true;
  Schedule(options_.browse_interval_ms, Task{TaskKind::kBrowseStep});
}

// One URL per interval; the step after the last one only ends the list, so that the last page
// stays on screen as long as the others did.
void Browser::BrowseStep() {
  if (browse_next_ == browse_urls_.size()) {
    browse_finished_ = true;
    Log("browse-done");
    return;
  }
  const std::string url = browse_urls_[browse_next_++];
  Log("browse " + url);
  Open(kLastActiveWindow, url);
  Schedule(options_.browse_interval_ms, Task{TaskKind::kBrowseStep});
}

void Browser::RaiseControlDialog(const std::string& url) {
  std::optional<ControlRequest> request = ParseControlUrl(url, options_.dialog_language);
  if (!request) {
    Log("control-unknown " + url);
    return;
  }
  switch (request->kind) {
    case ControlKind::kAlert:
      OpenDialog(AlertDialog(options_.version, request->language, kControlAlertText));
      break;
    case ControlKind::kModal:
      OpenDialog(ModalDialog());
      break;
    case ControlKind::kSaving:
      OpenDialog(SavingDialog(request->saving, request->language, url, false));
      break;
    case ControlKind::kUntitledProgress:
      OpenDialog(UntitledProgressDialog());
      break;
    case ControlKind::kQuit:
      Log("quit");
      host_.QuitRequested();
      break;
  }
}

int Browser::OpenDialog(Dialog dialog) {
  dialog.id = next_dialog_id_++;
  dialogs_.push_back(dialog);
  Log("dialog-opened " + std::to_string(dialog.id) + " " + dialog.title);
  host_.DialogOpened(dialog);
  return dialog.id;
}

void Browser::RemoveDialog(int dialog_id, std::string_view how) {
  auto dialog = std::find_if(dialogs_.begin(), dialogs_.end(),
                             [dialog_id](const Dialog& d) { return d.id == dialog_id; });
  if (dialog == dialogs_.end()) return;
  dialogs_.erase(dialog);
  Log("dialog-closed " + std::to_string(dialog_id) + " " + std::string(how));
  // A save whose progress dialog is closed before it is done is cancelled.
  for (auto save = saves_.begin(); save != saves_.end(); ++save) {
    if (save->second.dialog_id == dialog_id) {
      Log("save-cancelled " + save->second.url + " -> " + save->second.file);
      saves_.erase(save);
      break;
    }
  }
  host_.DialogClosed(dialog_id);
}

void Browser::PressButton(int dialog_id, int control_id) {
  auto dialog = std::find_if(dialogs_.begin(), dialogs_.end(),
                             [dialog_id](const Dialog& d) { return d.id == dialog_id; });
  if (dialog == dialogs_.end()) return;
  for (const DialogControl& control : dialog->controls) {
    if (control.id != control_id || control.class_name != "Button") continue;
    const std::string text = control.text;  // the dialog goes away when it closes
    if (control.closes) {
      RemoveDialog(dialog_id, text);
    } else {
      Log("dialog-button " + std::to_string(dialog_id) + " " + text);
    }
    return;
  }
}

void Browser::CloseDialog(int dialog_id) { RemoveDialog(dialog_id, "close"); }

}  // namespace standin
