#ifndef STANDIN_CORE_HOST_H_
#define STANDIN_CORE_HOST_H_

// Everything the stand-in browser needs from the world around it. The Win32 shell implements it
// with the real clock, DDEML, the disk and WinINet; an in-process embedding implements it with a
// fake clock and direct calls. Nothing here may call back into the browser synchronously except
// Poke, whose receiver may make requests of the browser while it runs.

#include <cstdint>
#include <string>

#include "standin/core/browser_types.h"

namespace standin {

struct LocalFile {
  enum class Kind { kMissing, kFile, kDirectory };
  Kind kind = Kind::kMissing;
  std::string bytes;  // the whole file when kind is kFile
};

struct Fetched {
  bool found = false;  // false for connection failures and HTTP errors alike
  std::string bytes;
  std::string mime;  // the server's content type without parameters; empty when not given
};

class Host {
 public:
  virtual ~Host() = default;

  // Milliseconds on a clock that never goes back.
  virtual std::uint64_t NowMs() = 0;
  // A DDE poke to another program's server; true when it was taken.
  virtual bool Poke(const std::string& service, const std::string& topic,
                    const std::string& item) = 0;
  // A file or directory by its Windows-form path (site files, file: URLs, the browse list).
  virtual LocalFile ReadFile(const std::string& path) = 0;
  // A saved document, to the path exactly as the save request named it.
  virtual bool WriteFile(const std::string& path, const std::string& bytes) = 0;
  // A document from the network (http, https, ftp).
  virtual Fetched Fetch(const std::string& url) {
    (void)url;
    return {};
  }

  // Notices for whoever shows the windows. They come after the browser's own state has changed.
  virtual void WindowOpened(const BrowserWindow& window) { (void)window; }
  virtual void WindowChanged(const BrowserWindow& window) { (void)window; }
  virtual void DialogOpened(const Dialog& dialog) { (void)dialog; }
  virtual void DialogClosed(int dialog_id) { (void)dialog_id; }
  // Asked to close every window, as the person at the screen closes them (standin:quit).
  virtual void QuitRequested() {}
  virtual void Log(const std::string& line) { (void)line; }
};

}  // namespace standin

#endif  // STANDIN_CORE_HOST_H_
