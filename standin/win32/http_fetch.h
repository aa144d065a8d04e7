#ifndef STANDIN_WIN32_HTTP_FETCH_H_
#define STANDIN_WIN32_HTTP_FETCH_H_

// Documents from the network through WinINet: a local web server on 127.0.0.1 as much as any
// other. Blocking, so it is only called from the timer, outside the DDE callback.

#include <windows.h>
#include <wininet.h>

#include <string>

#include "standin/core/host.h"
#include "standin/win32/handles.h"

namespace standin_shell {

struct InternetTraits {
  using Handle = HINTERNET;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { InternetCloseHandle(handle); }
};
using OwnedInternet = Owned<InternetTraits>;

class HttpFetcher {
 public:
  HttpFetcher();
  standin::Fetched Fetch(const std::string& url);

 private:
  OwnedInternet session_;
};

}  // namespace standin_shell

#endif  // STANDIN_WIN32_HTTP_FETCH_H_
