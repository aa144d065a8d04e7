#include "navigation/navigator.h"

#include "common/preferences.h"
#include "navigation/browser_control.h"
#include "navigation/engine_ports.h"
#include "navigation/sound_list.h"
#include "platform/ports.h"
#include "url/page_store.h"
#include "url/store_names.h"
#include "url/url.h"

namespace corvisant {

bool IsLinkFollowingKind(int kind) {
  return kind == navigator_kind::kBreadthFirst || kind == navigator_kind::kDepthFirst ||
         kind == navigator_kind::kRandomWeb;
}

bool IsReplayLikeKind(int kind) {
  return kind == navigator_kind::kUrlRange || kind == navigator_kind::kRandomUrlList ||
         kind == navigator_kind::kLocalStorage;
}

void Navigator::setStartUrl(std::string_view url) {
  if (url.empty()) return;
  if (linkStore != nullptr) linkStore->AppendUrlNow(url);
  startUrl = std::string(url);
  UrlParts parts;
  ParseUrl(url, &parts);
  startHost = parts.host.str();
  std::string_view path = parts.path.view();
  std::size_t lastSlash = path.rfind('/');
  startDirectory = std::string(lastSlash == std::string_view::npos ? std::string_view()
                                                                   : path.substr(0, lastSlash));
}

void Navigator::pageLoaded(std::string_view, const HtmlToken*, const std::vector<std::string>*) {
  pageDone = 1;
}

void Navigator::step() {
  pageDone = 0;
  BrowserControl* control = Current<BrowserControl>();
  BrowserWatch* watch = Current<BrowserWatch>();
  for (int candidate = 0; candidate < kStepCandidates; ++candidate) {
    std::string url = nextUrl();
    if (url.empty() || (watch != nullptr && !watch->BrowserProcessFound())) {
      finish();
      return;
    }
    if (url.size() >= kNextUrlBufferSize || !LocalFileExists(url)) continue;
    UrlParts parts;
    ParseUrl(url, &parts);
    if (parts.fragment.present() && !parts.fragment.empty()) pageDone = 1;
    if (control != nullptr) control->OpenUrl(url, forceReload != 0);
    forceReload = 0;
    return;
  }
  if (control != nullptr) control->OpenUrl(EntryPageFileUrl(), forceReload != 0);
  forceReload = 0;
}

void Navigator::finish() {
  stop();
  if (ControllerPort* controller = Current<ControllerPort>()) {
    for (int id : {button::kAutoNavigation, button::kForward, button::kBack}) {
      controller->SetButtonPicture(id, button::kUp);
    }
  }
  const Preferences* preferences = Current<Preferences>();
  const SoundList* sounds = Current<SoundList>();
  if (preferences != nullptr && sounds != nullptr) sounds->Play(preferences->navigationFinishSound);
}

}  // namespace corvisant
