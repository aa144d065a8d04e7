#include "standin/win32/echo_client.h"

#include "standin/win32/dde_string.h"

namespace standin_shell {
namespace {

constexpr DWORD kClientFlags = APPCMD_CLIENTONLY | CBF_SKIP_REGISTRATIONS |
                               CBF_SKIP_UNREGISTRATIONS | CBF_SKIP_CONNECT_CONFIRMS;

// DDEML's callback carries no context; the one echo client of the process is reached here.
EchoClient* the_client = nullptr;

}  // namespace

EchoClient::~EchoClient() { End(); }

bool EchoClient::Begin() {
  if (instance_ != 0) return true;
  the_client = this;
  if (DdeInitializeA(&instance_, &EchoClient::Callback, kClientFlags, 0) != DMLERR_NO_ERROR) {
    instance_ = 0;
    return false;
  }
  return true;
}

void EchoClient::End() {
  if (instance_ == 0) return;
  for (const auto& [key, conversation] : conversations_) DdeDisconnect(conversation);
  conversations_.clear();
  DdeUninitialize(instance_);
  instance_ = 0;
  receiver_left_ = false;
}

bool EchoClient::Poke(const std::string& service, const std::string& topic,
                      const std::string& item) {
  if (receiver_left_) End();
  for (int fresh = 0; fresh < 2; ++fresh) {
    HCONV conversation = ConversationWith(service, topic);
    if (!conversation) return false;
    if (PostPoke(conversation, item)) return true;
    End();  // the conversation went stale: start over with a new instance
  }
  return false;
}

HCONV EchoClient::ConversationWith(const std::string& service, const std::string& topic) {
  const std::string key = service + " " + topic;
  if (auto known = conversations_.find(key); known != conversations_.end()) return known->second;
  if (!Begin()) return nullptr;
  DdeString service_name(instance_, service);
  DdeString topic_name(instance_, topic);
  HCONV conversation = DdeConnect(instance_, service_name.get(), topic_name.get(), nullptr);
  if (conversation) conversations_[key] = conversation;
  return conversation;
}

bool EchoClient::PostPoke(HCONV conversation, const std::string& item) {
  DdeString item_name(instance_, item);
  // The item says everything; the same text goes as the data for receivers that read it.
  std::string data = item + '\0';
  DWORD transaction = 0;
  return DdeClientTransaction(reinterpret_cast<LPBYTE>(data.data()),
                              static_cast<DWORD>(data.size()), conversation, item_name.get(),
                              CF_TEXT, XTYP_POKE, TIMEOUT_ASYNC, &transaction) != nullptr;
}

// A receiver that ends its conversation is noted; the instance is made afresh at the next
// poke, outside this callback.
HDDEDATA CALLBACK EchoClient::Callback(UINT type, UINT, HCONV conversation, HSZ, HSZ, HDDEDATA,
                                       ULONG_PTR, ULONG_PTR) {
  if (type != XTYP_DISCONNECT || !the_client) return nullptr;
  for (auto known = the_client->conversations_.begin(); known != the_client->conversations_.end();
       ++known) {
    if (known->second == conversation) {
      the_client->conversations_.erase(known);
      the_client->receiver_left_ = true;
      break;
    }
  }
  return nullptr;
}

}  // namespace standin_shell
