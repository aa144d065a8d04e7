#ifndef STANDIN_WIN32_DDE_SERVER_H_
#define STANDIN_WIN32_DDE_SERVER_H_

// The DDEML server "NETSCAPE": every WWW_ transaction goes to the core as it arrives.

#include <windows.h>
// After windows.h, which it needs.
#include <ddeml.h>

#include <functional>

#include "standin/core/standin_browser.h"
#include "standin/win32/dde_string.h"

namespace standin_shell {

class DdeServer {
 public:
  DdeServer() = default;
  ~DdeServer();
  DdeServer(const DdeServer&) = delete;
  DdeServer& operator=(const DdeServer&) = delete;

  // Registers the service for browser; after_transaction runs after every request and poke,
  // so that the core's work is done later, outside the callback. False when DDEML fails.
  bool Start(standin::Browser* browser, std::function<void()> after_transaction);

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ topic, HSZ item,
                                    HDDEDATA data, ULONG_PTR, ULONG_PTR);
  HDDEDATA Serve(UINT type, UINT format, HSZ topic, HSZ item);

  DWORD instance_ = 0;
  HSZ service_ = nullptr;
  standin::Browser* browser_ = nullptr;
  std::function<void()> after_transaction_;
};

}  // namespace standin_shell

#endif  // STANDIN_WIN32_DDE_SERVER_H_
