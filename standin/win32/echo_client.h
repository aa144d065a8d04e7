#ifndef STANDIN_WIN32_ECHO_CLIENT_H_
#define STANDIN_WIN32_ECHO_CLIENT_H_

// The pokes with which URL echoes leave: a DDEML client of its own, apart from the server.
//
// Under Wine a thread inside a synchronous DDE transaction handles no sent messages, so a
// receiver that asks us something while our poke waited for it could not even connect; and a
// conversation ended while its receiver's callback runs brings the receiver's DDEML down.
// Echoes therefore go asynchronously, over one lasting conversation per receiver: once
// connected, nothing of ours waits on the receiver. Wine also never forgets a conversation
// that the receiver ended and connects no new one to the same service and topic; the client
// instance is then made afresh.

#include <windows.h>
// After windows.h, which it needs.
#include <ddeml.h>

#include <map>
#include <string>

namespace standin_shell {

class EchoClient {
 public:
  EchoClient() = default;
  ~EchoClient();
  EchoClient(const EchoClient&) = delete;
  EchoClient& operator=(const EchoClient&) = delete;

  // A poke of item to service's topic: true when it is on its way.
  bool Poke(const std::string& service, const std::string& topic, const std::string& item);

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ, HSZ, HDDEDATA,
                                    ULONG_PTR, ULONG_PTR);
  bool Begin();
  void End();
  HCONV ConversationWith(const std::string& service, const std::string& topic);
  bool PostPoke(HCONV conversation, const std::string& item);

  DWORD instance_ = 0;
  std::map<std::string, HCONV> conversations_;  // by "service topic"
  bool receiver_left_ = false;
};

}  // namespace standin_shell

#endif  // STANDIN_WIN32_ECHO_CLIENT_H_
