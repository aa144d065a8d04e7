// The tool's DDE link to a running browser, made by the platform side of the tool: none in a
// build without DDE.
#pragma once

#include <memory>

#include "browser/dde_port.h"

namespace corvisant::tool {

class LiveDde {
 public:
  virtual ~LiveDde() = default;
  virtual DdePort& port() = 0;
  // Dispatches this thread's messages, among them the server's transactions, for milliseconds.
  virtual void PumpMessages(unsigned milliseconds) = 0;
};

// A client of the browser; with serve, also this system's server "CORVISANT". Null when this
// build has no DDE or DDEML would not start.
std::unique_ptr<LiveDde> OpenLiveDde(bool serve);

}  // namespace corvisant::tool
