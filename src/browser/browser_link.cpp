#include "browser/browser_link.h"

#include "browser/item_texts.h"
#include "browser/reply_readers.h"
#include "common/trace.h"
#include "url/classify.h"

namespace corvisant {

BrowserLink::BrowserLink(DdePort& dde, Clock& clock) : dde_(dde), clock_(clock) {
  dde_.SetServerCallback(this);
}

BrowserLink::~BrowserLink() { dde_.SetServerCallback(nullptr); }

DdeReply BrowserLink::Ask(const char* topic, std::string_view item, unsigned type) {
  return dde_.Transact(dde::kBrowserService, topic, item, type, dde::kTimeoutMs);
}

DdeReply BrowserLink::AskWithRetries(const char* topic, std::string_view item) {
  for (int attempt = 0; attempt < kWindowRequestAttempts; ++attempt) {
    DdeReply reply = Ask(topic, item, dde::kRequest);
    if (reply) return reply;
    clock_.Sleep(kWindowRequestPauseMs);
  }
  return std::nullopt;
}

bool BrowserLink::BrowserAnswers() {
  if (Ask(dde::kVersionTopic, dde::kOwnService, dde::kRequest)) return true;
  Trace("Netscape is Busy");
  return false;
}

bool BrowserLink::WaitForBrowserAnswer() {
  for (int check = 0; check < kAnswerChecks; ++check) {
    if (BrowserAnswers()) return true;
    clock_.Sleep(kAnswerCheckPauseMs);
  }
  return false;
}

bool BrowserLink::ListBrowserWindows(std::vector<std::uint32_t>& list) {
  DdeReply reply = AskWithRetries(dde::kListWindowsTopic, dde::kOwnService);
  if (!reply) return false;
  ReadWindowList(*reply, list);
  return true;
}

std::string BrowserLink::GetBrowserTitle() {
  DdeReply reply = AskWithRetries(dde::kGetWindowInfoTopic, kLastActiveWindowItem);
  return reply ? ReadTitleReply(*reply, state_.browserVersion) : std::string();
}

std::optional<std::string> BrowserLink::GetBrowserUrl() {
  DdeReply reply = AskWithRetries(dde::kGetWindowInfoTopic, kLastActiveWindowItem);
  if (!reply) return std::nullopt;
  return ReadUrlReply(*reply);
}

bool BrowserLink::RequestOpen(std::string_view url, bool reload) {
  return Ask(dde::kOpenUrlTopic, OpenUrlItem(url, reload), dde::kRequest).has_value();
}

bool BrowserLink::OpenUrlInNewWindow(std::string_view url) {
  if (url.empty()) return false;
  return Ask(dde::kOpenUrlTopic, NewWindowItem(url), dde::kRequest).has_value();
}

std::uint32_t BrowserLink::RequestSave(std::string_view url, std::string_view storeRoot,
                                       std::string_view relativeFile) {
  std::string item = SaveUrlItem(url, storeRoot, relativeFile, state_.workWindowId);
  return ReadSaveReply(Ask(dde::kOpenUrlTopic, item, dde::kRequest));
}

bool BrowserLink::NoteSavedPage(std::string_view url) {
  if (!IsPageUrl(url) || (state_.lastSavedPageUrl && *state_.lastSavedPageUrl == url)) {
    return false;
  }
  state_.lastSavedPageUrl = std::string(url);
  return true;
}

void BrowserLink::RegisterUrlEcho() {
  Ask(dde::kRegisterUrlEchoTopic, dde::kOwnService, dde::kPoke);
}

void BrowserLink::UnregisterUrlEcho() {
  Ask(dde::kUnregisterUrlEchoTopic, dde::kOwnService, dde::kPoke);
}

int BrowserLink::AnswerServer(unsigned type, std::string_view topic, std::string_view item) {
  if (type == dde::kConnect) return kServerAccepts;
  // The topic text comes back in the spelling this server registered it with.
  if (type == dde::kPoke && topic == dde::kUrlEchoTopic && !item.empty() && echoHandler_) {
    echoHandler_->HandleUrlEcho(item);
  }
  return kServerNoAnswer;
}

}  // namespace corvisant
