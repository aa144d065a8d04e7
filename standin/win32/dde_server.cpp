#include "standin/win32/dde_server.h"

namespace standin_shell {
namespace {

constexpr const char* kServiceName = "NETSCAPE";
constexpr DWORD kServerFlags = APPCLASS_STANDARD | CBF_FAIL_SELFCONNECTIONS | CBF_FAIL_ADVISES |
                               CBF_FAIL_EXECUTES | CBF_SKIP_REGISTRATIONS |
                               CBF_SKIP_UNREGISTRATIONS;

// DDEML's callback carries no context; the one server of the process is reached through this.
DdeServer* the_server = nullptr;

}  // namespace

DdeServer::~DdeServer() {
  if (instance_ == 0) return;
  if (service_) {
    DdeNameService(instance_, service_, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(instance_, service_);
  }
  DdeUninitialize(instance_);
  the_server = nullptr;
}

bool DdeServer::Start(standin::Browser* browser, std::function<void()> after_transaction) {
  browser_ = browser;
  after_transaction_ = std::move(after_transaction);
  the_server = this;
  if (DdeInitializeA(&instance_, &DdeServer::Callback, kServerFlags, 0) != DMLERR_NO_ERROR) {
    instance_ = 0;
    return false;
  }
  service_ = DdeCreateStringHandleA(instance_, kServiceName, CP_WINANSI);
  return service_ && DdeNameService(instance_, service_, nullptr, DNS_REGISTER);
}

HDDEDATA CALLBACK DdeServer::Callback(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA,
                                      ULONG_PTR, ULONG_PTR) {
  return the_server ? the_server->Serve(type, format, topic, item) : nullptr;
}

HDDEDATA DdeServer::Serve(UINT type, UINT format, HSZ topic, HSZ item) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(browser_->AcceptsTopic(DdeText(instance_, topic)) ? TRUE
                                                                                          : FALSE);
    case XTYP_REQUEST: {
      if (format != CF_TEXT) return nullptr;
      std::optional<std::string> reply =
          browser_->Request(DdeText(instance_, topic), DdeText(instance_, item));
      after_transaction_();
      // A mute browser holds the transaction, so that the client waits its whole time-out.
      if (!reply) return browser_->muted() ? CBR_BLOCK : nullptr;
      return DdeCreateDataHandle(instance_, reinterpret_cast<LPBYTE>(reply->data()),
                                 static_cast<DWORD>(reply->size()), 0, item, CF_TEXT, 0);
    }
    case XTYP_POKE: {
      const bool taken = browser_->Poke(DdeText(instance_, topic), DdeText(instance_, item));
      after_transaction_();
      if (browser_->muted()) return CBR_BLOCK;
      return reinterpret_cast<HDDEDATA>(taken ? DDE_FACK : DDE_FNOTPROCESSED);
    }
    default:
      return nullptr;
  }
}

}  // namespace standin_shell
