// A DDE port that answers client transactions from a script, in order (no reply once the script
// runs out), keeps every transaction it was asked for, and delivers a client's transaction to
// the installed server callback as the browser would.
#pragma once

#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "browser/dde_port.h"

namespace corvisant::testing {

struct DdeCall {
  std::string service;
  std::string topic;
  std::string item;
  unsigned type;
  unsigned timeoutMs;
};

class ScriptedDde : public DdePort {
 public:
  ScriptedDde(std::initializer_list<DdeReply> replies = {}) : replies_(replies) {}

  // One more reply at the end of the script.
  void Script(DdeReply reply) { replies_.push_back(std::move(reply)); }

  DdeReply Transact(std::string_view service, std::string_view topic, std::string_view item,
                    unsigned type, unsigned timeoutMs) override;
  void SetServerCallback(DdeServerCallback* callback) override { callback_ = callback; }

  // What the server answers a client's transaction with (0 without a callback).
  int Deliver(unsigned type, std::string_view topic, std::string_view item);

  const std::vector<DdeCall>& calls() const { return calls_; }

 private:
  std::deque<DdeReply> replies_;
  std::vector<DdeCall> calls_;
  DdeServerCallback* callback_ = nullptr;
};

}  // namespace corvisant::testing
