// The DDE port: the two things the browser link needs from the operating system's data exchange.
// As a client it makes one transaction with a service and gets the reply bytes or nothing; as a
// server it hands every transaction a client makes with this system's service to one callback.
// Every name and number of the browser's DDE interface is here, once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvisant {

namespace dde {

// Transaction types, with the values DDEML gives them.
constexpr unsigned kPoke = 0x4090;     // XTYP_POKE
constexpr unsigned kRequest = 0x20B0;  // XTYP_REQUEST
constexpr unsigned kConnect = 0x1062;  // XTYP_CONNECT

// Every transaction carries single-byte text in the Windows ANSI code page.
constexpr unsigned kTextFormat = 1;     // CF_TEXT
constexpr int kWinAnsiCodePage = 1004;  // CP_WINANSI

// How long a client transaction waits for the browser's reply.
constexpr unsigned kTimeoutMs = 5000;

// The server refuses connections to itself, advise loops and executes, and is not told of other
// servers coming and going: CBF_FAIL_SELFCONNECTIONS | CBF_FAIL_ADVISES | CBF_FAIL_EXECUTES |
// CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS.
constexpr std::uint32_t kServerCallbackFlags = 0x0018D000;

// The largest topic or item text the server reads, with its terminator.
constexpr std::size_t kServerTextBufferSize = 1537;

// The browser's service, and this system's own (also the name it gives the browser as the
// receiver of URL echoes and save progress).
constexpr const char* kBrowserService = "NETSCAPE";
constexpr const char* kOwnService = "CORVISANT";

// The browser's topics that this system asks.
constexpr const char* kRegisterUrlEchoTopic = "WWW_RegisterURLEcho";
constexpr const char* kUnregisterUrlEchoTopic = "WWW_UnRegisterURLEcho";
constexpr const char* kVersionTopic = "WWW_Version";
constexpr const char* kListWindowsTopic = "WWW_ListWindows";
constexpr const char* kGetWindowInfoTopic = "WWW_GetWindowInfo";
constexpr const char* kOpenUrlTopic = "WWW_OpenURL";

// The topics of this system's server: the URL echo, and the notices it accepts and answers with
// nothing.
constexpr const char* kUrlEchoTopic = "WWW_URLEcho";
constexpr const char* kServerTopics[] = {
    "WWW_Alert",         "WWW_EndProgress",    "WWW_SetProgressRange", "WWW_ViewDocFile",
    "WWW_BeginProgress", "WWW_MakingProgress", kUrlEchoTopic,
};

}  // namespace dde

// The reply bytes of a transaction; none when there was no conversation, the transaction failed
// or timed out. A poke that succeeded has an empty reply.
using DdeReply = std::optional<std::string>;

// Receives the transactions that clients make with this system's server. Connects come with the
// topic and an empty item, pokes with both; the number is the answer given to the client.
class DdeServerCallback {
 public:
  virtual ~DdeServerCallback() = default;
  virtual int AnswerServer(unsigned type, std::string_view topic, std::string_view item) = 0;
};

class DdePort {
 public:
  virtual ~DdePort() = default;

  // Connects to service on topic, makes one transaction of type with item and no data, and
  // disconnects.
  virtual DdeReply Transact(std::string_view service, std::string_view topic, std::string_view item,
                            unsigned type, unsigned timeoutMs) = 0;

  // Installs the callback of this system's server (null: every transaction is answered with 0).
  virtual void SetServerCallback(DdeServerCallback* callback) = 0;
};

}  // namespace corvisant
