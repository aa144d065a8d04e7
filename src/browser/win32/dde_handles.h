// Owners of DDEML's handles: each frees or ends its handle when it goes, so that no instance,
// string, conversation, data handle or name registration outlives its use.
#pragma once

// clang-format off
#include <windows.h>
#include <ddeml.h>
// clang-format on

#include <string>
#include <string_view>
#include <utility>

namespace corvisant::win32 {

template <typename Handle, typename Release>
class DdeResource {
 public:
  DdeResource() = default;
  DdeResource(DWORD instance, Handle handle) : instance_(instance), handle_(handle) {}
  ~DdeResource() { reset(); }
  DdeResource(DdeResource&& other) noexcept
      : instance_(other.instance_), handle_(std::exchange(other.handle_, Handle{})) {}
  DdeResource& operator=(DdeResource&& other) noexcept {
    if (this != &other) {
      reset();
      instance_ = other.instance_;
      handle_ = std::exchange(other.handle_, Handle{});
    }
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  void reset() {
    if (handle_ != Handle{}) Release{}(instance_, handle_);
    handle_ = Handle{};
  }

 private:
  DWORD instance_ = 0;
  Handle handle_{};
};

struct UninitializeDde {
  void operator()(DWORD, DWORD instance) const { DdeUninitialize(instance); }
};
struct FreeDdeString {
  void operator()(DWORD instance, HSZ text) const { DdeFreeStringHandle(instance, text); }
};
struct DisconnectDde {
  void operator()(DWORD, HCONV conversation) const { DdeDisconnect(conversation); }
};
struct FreeDdeData {
  void operator()(DWORD, HDDEDATA data) const { DdeFreeDataHandle(data); }
};
struct UnregisterDdeName {
  void operator()(DWORD instance, HSZ service) const {
    DdeNameService(instance, service, nullptr, DNS_UNREGISTER);
  }
};

// The instance id from DdeInitializeA.
using DdeInstance = DdeResource<DWORD, UninitializeDde>;
using DdeString = DdeResource<HSZ, FreeDdeString>;
using DdeConversation = DdeResource<HCONV, DisconnectDde>;
using DdeData = DdeResource<HDDEDATA, FreeDdeData>;
// A service name registered with DdeNameService; the string handle is owned elsewhere.
using DdeNameRegistration = DdeResource<HSZ, UnregisterDdeName>;

// A string handle of text in the Windows ANSI code page; empty when DDEML refuses the text.
DdeString MakeDdeString(DWORD instance, std::string_view text);

}  // namespace corvisant::win32
