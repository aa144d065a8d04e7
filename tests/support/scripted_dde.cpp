#include "tests/support/scripted_dde.h"

namespace corvisant::testing {

DdeReply ScriptedDde::Transact(std::string_view service, std::string_view topic,
                               std::string_view item, unsigned type, unsigned timeoutMs) {
  calls_.push_back(
      DdeCall{std::string(service), std::string(topic), std::string(item), type, timeoutMs});
  if (replies_.empty()) return std::nullopt;
  DdeReply reply = replies_.front();
  replies_.pop_front();
  return reply;
}

int ScriptedDde::Deliver(unsigned type, std::string_view topic, std::string_view item) {
  return callback_ != nullptr ? callback_->AnswerServer(type, topic, item) : 0;
}

}  // namespace corvisant::testing
