// The DDE port over DDEML. One instance per process: the program's is client and server (the
// start-up initialisation of the data exchange); the tool's live commands may use a client-only
// one. The instance, its server names and their registration end with the object.
#pragma once

#include <vector>

#include "browser/dde_port.h"
#include "browser/win32/dde_handles.h"
#include "browser/win32/dde_wait_waker.h"

namespace corvisant::win32 {

enum class DdeRole { kClient, kClientAndServer };

class Win32Dde final : public DdePort {
 public:
  // kClientAndServer: DdeInitializeA with the server callback, the server's topic and service
  // names, the service registered; a failure is reported (non-fatal) and leaves the object
  // without DDE, so that every transaction fails. kClient: a client-only instance, unreported.
  explicit Win32Dde(DdeRole role);
  ~Win32Dde() override;
  Win32Dde(const Win32Dde&) = delete;
  Win32Dde& operator=(const Win32Dde&) = delete;

  bool started() const { return static_cast<bool>(instance_); }

  DdeReply Transact(std::string_view service, std::string_view topic, std::string_view item,
                    unsigned type, unsigned timeoutMs) override;
  void SetServerCallback(DdeServerCallback* callback) override { callback_ = callback; }

 private:
  static HDDEDATA CALLBACK ServerCallback(UINT type, UINT format, HCONV conversation, HSZ topic,
                                          HSZ item, HDDEDATA data, ULONG_PTR data1,
                                          ULONG_PTR data2);
  static HDDEDATA CALLBACK ClientCallback(UINT type, UINT format, HCONV conversation, HSZ topic,
                                          HSZ item, HDDEDATA data, ULONG_PTR data1,
                                          ULONG_PTR data2);
  void StartServer();
  HDDEDATA Answer(UINT type, HSZ topic, HSZ item);
  DdeConversation Connect(std::string_view service, std::string_view topic);

  // Declared in the order of making; they end in reverse.
  DdeWaitWaker waker_;
  DdeInstance instance_;
  std::vector<DdeString> serverNames_;
  DdeNameRegistration registration_;
  DdeServerCallback* callback_ = nullptr;
};

}  // namespace corvisant::win32
