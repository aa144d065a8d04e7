#ifndef STANDIN_WIN32_FILES_H_
#define STANDIN_WIN32_FILES_H_

// The disk as the stand-in sees it: whole files read and written, and its log.

#include <string>
#include <string_view>

#include "standin/core/host.h"
#include "standin/win32/handles.h"

namespace standin_shell {

// A path given in Linux form ("/tmp/site") names Wine's Z: drive; others stand as they are.
std::string WindowsPath(std::string_view path);

standin::LocalFile ReadLocalFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// One line per event, written through at once so that a test can read it while we run.
class LogFile {
 public:
  bool Open(const std::string& path);
  void Line(const std::string& text);

 private:
  OwnedFile file_;
};

}  // namespace standin_shell

#endif  // STANDIN_WIN32_FILES_H_
