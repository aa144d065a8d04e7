#include "browser/win32/win32_dde.h"

#include <cstring>
#include <string>

#include "platform/message_ids.h"
#include "platform/report.h"

namespace corvisant::win32 {
namespace {

static_assert(dde::kPoke == XTYP_POKE && dde::kRequest == XTYP_REQUEST &&
              dde::kConnect == XTYP_CONNECT);
static_assert(dde::kTextFormat == CF_TEXT && dde::kWinAnsiCodePage == CP_WINANSI);
static_assert(dde::kServerCallbackFlags ==
              (CBF_FAIL_SELFCONNECTIONS | CBF_FAIL_ADVISES | CBF_FAIL_EXECUTES |
               CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS));

// DDEML gives its callback no word of the caller's own, so the callback finds the server that
// answers through this one pointer; it is set while that server object lives.
Win32Dde* answeringServer = nullptr;

// The text of a string handle in the Windows ANSI code page, cut to the buffer.
std::string_view QueryText(DWORD instance, HSZ name, char (&buffer)[dde::kServerTextBufferSize]) {
  buffer[0] = '\0';
  DdeQueryStringA(instance, name, buffer, sizeof buffer, dde::kWinAnsiCodePage);
  buffer[sizeof buffer - 1] = '\0';
  return std::string_view(buffer, std::strlen(buffer));
}

}  // namespace

DdeString MakeDdeString(DWORD instance, std::string_view text) {
  std::string terminated(text);
  return DdeString(instance,
                   DdeCreateStringHandleA(instance, terminated.c_str(), dde::kWinAnsiCodePage));
}

Win32Dde::Win32Dde(DdeRole role) {
  if (role == DdeRole::kClientAndServer) {
    StartServer();
    return;
  }
  DWORD id = 0;
  if (DdeInitializeA(&id, ClientCallback, APPCMD_CLIENTONLY, 0) == DMLERR_NO_ERROR) {
    instance_ = DdeInstance(id, id);
  }
}

Win32Dde::~Win32Dde() {
  registration_.reset();
  serverNames_.clear();
  instance_.reset();
  if (answeringServer == this) answeringServer = nullptr;
}

void Win32Dde::StartServer() {
  answeringServer = this;
  DWORD id = 0;
  UINT error = DdeInitializeA(&id, ServerCallback, dde::kServerCallbackFlags, 0);
  if (error != DMLERR_NO_ERROR) {
    Report(kReportNonFatal, kReportNeverCloses, message::kDdeInitializeFailed, {error});
    return;
  }
  instance_ = DdeInstance(id, id);
  for (const char* topic : dde::kServerTopics) serverNames_.push_back(MakeDdeString(id, topic));
  serverNames_.push_back(MakeDdeString(id, dde::kOwnService));
  HSZ service = serverNames_.back().get();
  if (DdeNameService(id, service, nullptr, DNS_REGISTER) == nullptr) {
    Report(kReportNonFatal, kReportNeverCloses, message::kDdeNameServiceFailed,
           {DdeGetLastError(id)});
    return;
  }
  registration_ = DdeNameRegistration(id, service);
}

DdeConversation Win32Dde::Connect(std::string_view service, std::string_view topic) {
  DdeString serviceName = MakeDdeString(instance_.get(), service);
  DdeString topicName = MakeDdeString(instance_.get(), topic);
  if (!serviceName || !topicName) return DdeConversation();
  HCONV conversation = DdeConnect(instance_.get(), serviceName.get(), topicName.get(), nullptr);
  return DdeConversation(instance_.get(), conversation);
}

DdeReply Win32Dde::Transact(std::string_view service, std::string_view topic, std::string_view item,
                            unsigned type, unsigned timeoutMs) {
  if (!instance_) return std::nullopt;
  DdeWaitWaker::During waking(waker_);
  DdeConversation conversation = Connect(service, topic);
  if (!conversation) return std::nullopt;
  DdeString itemName = MakeDdeString(instance_.get(), item);
  if (!itemName) return std::nullopt;
  HDDEDATA result = DdeClientTransaction(nullptr, 0, conversation.get(), itemName.get(),
                                         dde::kTextFormat, type, timeoutMs, nullptr);
  itemName.reset();
  conversation.reset();
  // A poke's result only says whether the server took it; it is no data handle.
  if (type == dde::kPoke) return result != nullptr ? DdeReply(std::string()) : std::nullopt;
  DdeData reply(instance_.get(), result);
  if (!reply) return std::nullopt;
  std::string bytes(DdeGetData(reply.get(), nullptr, 0, 0), '\0');
  DdeGetData(reply.get(), reinterpret_cast<LPBYTE>(bytes.data()), static_cast<DWORD>(bytes.size()),
             0);
  return bytes;
}

HDDEDATA CALLBACK Win32Dde::ServerCallback(UINT type, UINT, HCONV, HSZ topic, HSZ item, HDDEDATA,
                                           ULONG_PTR, ULONG_PTR) {
  return answeringServer != nullptr ? answeringServer->Answer(type, topic, item) : nullptr;
}

HDDEDATA CALLBACK Win32Dde::ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                           ULONG_PTR) {
  return nullptr;
}

// Connects and pokes go to the callback with their texts, read into one buffer (the item after
// the topic); every other transaction is answered with nothing.
HDDEDATA Win32Dde::Answer(UINT type, HSZ topicName, HSZ itemName) {
  if (callback_ == nullptr || !instance_ || (type != XTYP_CONNECT && type != XTYP_POKE)) {
    return nullptr;
  }
  char buffer[dde::kServerTextBufferSize];
  std::string topic(QueryText(instance_.get(), topicName, buffer));
  std::string_view item;
  if (type == XTYP_POKE) item = QueryText(instance_.get(), itemName, buffer);
  int answer = callback_->AnswerServer(type, topic, item);
  return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(answer));
}

}  // namespace corvisant::win32
