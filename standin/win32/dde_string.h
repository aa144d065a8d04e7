#ifndef STANDIN_WIN32_DDE_STRING_H_
#define STANDIN_WIN32_DDE_STRING_H_

#include <windows.h>
// After windows.h, which it needs.
#include <ddeml.h>

#include <string>

namespace standin_shell {

// A DDE string handle of one instance, in the ANSI code page, freed with its owner.
class DdeString {
 public:
  DdeString(DWORD instance, const std::string& text)
      : instance_(instance), handle_(DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI)) {}
  ~DdeString() {
    if (handle_) DdeFreeStringHandle(instance_, handle_);
  }
  DdeString(const DdeString&) = delete;
  DdeString& operator=(const DdeString&) = delete;
  HSZ get() const { return handle_; }

 private:
  DWORD instance_;
  HSZ handle_;
};

// The text of a string handle.
inline std::string DdeText(DWORD instance, HSZ handle) {
  const DWORD length = DdeQueryStringA(instance, handle, nullptr, 0, CP_WINANSI);
  std::string text(length + 1, '\0');
  DdeQueryStringA(instance, handle, text.data(), length + 1, CP_WINANSI);
  text.resize(length);
  return text;
}

}  // namespace standin_shell

#endif  // STANDIN_WIN32_DDE_STRING_H_
