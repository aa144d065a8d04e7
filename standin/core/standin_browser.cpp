#include "standin/core/standin_browser.h"

#include <algorithm>

#include "standin/core/control_urls.h"
#include "standin/core/documents.h"

namespace standin {
namespace {

constexpr std::string_view kRegisterEcho = "WWW_RegisterURLEcho";
constexpr std::string_view kUnregisterEcho = "WWW_UnRegisterURLEcho";

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.emplace_back(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

}  // namespace

Browser::Browser(Options options, Host& host) : options_(std::move(options)), host_(host) {}

void Browser::Start() {
  if (!options_.browse_file.empty()) {
    LocalFile list = host_.ReadFile(options_.browse_file);
    if (list.kind == LocalFile::Kind::kFile) {
      browse_urls_ = Lines(list.bytes);
    } else {
      Log("browse-list-missing " + options_.browse_file);
    }
  }
  Open(NewWindow(), options_.start_url);
}

const std::map<std::string_view, Browser::RequestHandler>& Browser::RequestTopics() {
  static const std::map<std::string_view, RequestHandler> kTopics = {
      {"WWW_Version", &Browser::VersionReply},
      {"WWW_ListWindows", &Browser::ListWindowsReply},
      {"WWW_GetWindowInfo", &Browser::WindowInfo},
      {"WWW_OpenURL", &Browser::OpenUrlReply},
  };
  return kTopics;
}

bool Browser::AcceptsTopic(std::string_view topic) const {
  return RequestTopics().count(topic) > 0 || topic == kRegisterEcho || topic == kUnregisterEcho;
}

std::optional<std::string> Browser::Request(std::string_view topic, std::string_view item) {
  Log("request " + std::string(topic) + " " + std::string(item));
  auto handler = RequestTopics().find(topic);
  if (options_.mute || handler == RequestTopics().end()) return std::nullopt;
  return (this->*(handler->second))(item);
}

bool Browser::Poke(std::string_view topic, std::string_view item) {
  Log("poke " + std::string(topic) + " " + std::string(item));
  if (options_.mute || item.empty()) return false;
  if (topic == kRegisterEcho) {
    echo_servers_.insert(std::string(item));
    StartBrowsing();
    return true;
  }
  if (topic == kUnregisterEcho) return echo_servers_.erase(std::string(item)) > 0;
  return false;
}

std::optional<std::string> Browser::VersionReply(std::string_view) {
  return Uint32Bytes(static_cast<std::uint32_t>(options_.version));
}

std::optional<std::string> Browser::ListWindowsReply(std::string_view) {
  std::vector<WindowId> ids;
  for (const BrowserWindow& window : windows_) ids.push_back(window.id);
  return WindowListReply(ids);
}

std::optional<std::string> Browser::WindowInfo(std::string_view item) {
  std::optional<WindowId> id = ParseWindowId(item);
  const BrowserWindow* window = id ? FindWindow(ExistingWindow(*id)) : nullptr;
  if (!window) return std::nullopt;
  return WindowInfoReply(options_.version, window->url, window->title);
}

std::optional<std::string> Browser::OpenUrlReply(std::string_view item) {
  std::optional<OpenUrlRequest> request = ParseOpenUrl(item);
  WindowId taken = 0;
  if (request && request->is_save()) {
    taken = Save(*request);
  } else if (request) {
    taken = Open(request->window, request->url);
  }
  return Uint32Bytes(taken);
}

WindowId Browser::Open(WindowId target, const std::string& url) {
  if (IsControlUrl(url)) {
    RaiseControlDialog(url);
    return ExistingWindow(target == kNewWindow ? kLastActiveWindow : target);
  }
  WindowId id = ExistingWindow(target);
  if (target == kNewWindow || (target == kLastActiveWindow && windows_.empty())) id = NewWindow();
  if (id == 0) return 0;
  const std::uint64_t serial = next_serial_++;
  loads_[id] = PendingLoad{url, serial};
  Schedule(options_.load_delay_ms, Task{TaskKind::kDisplay, id, serial});
  return id;
}

WindowId Browser::Save(const OpenUrlRequest& request) {
  const std::string url = DecodeCommaSpace(request.url);
  const WindowId id =
      ExistingWindow(request.window == kNewWindow ? kLastActiveWindow : request.window);
  if (options_.refuse_saves || request.file.empty() || id == 0) {
    Log("save-refused " + url + " -> " + request.file);
    return 0;
  }
  const std::uint32_t save_id = next_save_id_++;
  saves_[save_id] = PendingSave{url, request.file, 0};
  if (options_.progress_dialog) {
    int dialog_id =
        OpenDialog(SavingDialog(SavingKind::kDocument, options_.dialog_language, url, true));
    if (auto save = saves_.find(save_id); save != saves_.end()) save->second.dialog_id = dialog_id;
  }
  Schedule(options_.save_delay_ms, Task{TaskKind::kSave, save_id, 0});
  return id;
}

WindowId Browser::NewWindow() {
  BrowserWindow window;
  window.id = next_window_id_++;
  windows_.push_back(window);
  activation_order_.push_back(window.id);
  Log("window-opened " + std::to_string(window.id));
  host_.WindowOpened(window);
  return window.id;
}

// The window a request names: the last active one for -1, the id when it exists, else 0.
WindowId Browser::ExistingWindow(WindowId target) const {
  if (target == kLastActiveWindow) return last_active();
  return FindWindow(target) ? target : 0;
}

const BrowserWindow* Browser::FindWindow(WindowId id) const {
  auto window = std::find_if(windows_.begin(), windows_.end(),
                             [id](const BrowserWindow& w) { return w.id == id; });
  return window == windows_.end() ? nullptr : &*window;
}

BrowserWindow* Browser::Find(WindowId id) { return const_cast<BrowserWindow*>(FindWindow(id)); }

WindowId Browser::last_active() const {
  for (auto id = activation_order_.rbegin(); id != activation_order_.rend(); ++id) {
    if (FindWindow(*id)->visible) return *id;
  }
  return activation_order_.empty() ? 0 : activation_order_.back();
}

bool Browser::ShouldExit() const {
  return options_.exit_when_done && browse_finished_ && saves_.empty() && loads_.empty() &&
         echo_retries_.empty();
}

void Browser::Activate(WindowId id) {
  auto place = std::find(activation_order_.begin(), activation_order_.end(), id);
  if (place == activation_order_.end()) return;
  activation_order_.erase(place);
  activation_order_.push_back(id);
}

void Browser::SetVisible(WindowId id, bool visible) {
  if (BrowserWindow* window = Find(id)) window->visible = visible;
}

void Browser::FollowLink(WindowId id, std::string_view url) {
  Log("follow " + std::to_string(id) + " " + std::string(url));
  Open(id, std::string(url));
}

void Browser::CloseWindow(WindowId id) {
  if (!FindWindow(id)) return;
  windows_.erase(std::find_if(windows_.begin(), windows_.end(),
                              [id](const BrowserWindow& w) { return w.id == id; }));
  activation_order_.erase(std::find(activation_order_.begin(), activation_order_.end(), id));
  loads_.erase(id);
  Log("window-closed " + std::to_string(id));
}

}  // namespace standin
