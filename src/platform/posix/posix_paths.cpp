#include "platform/posix/posix_paths.h"

namespace corvisant {

std::string ToPosixPath(std::string_view windowsPath) {
  std::string path;
  if (windowsPath.size() >= 2 && (windowsPath[0] == 'Z' || windowsPath[0] == 'z') &&
      windowsPath[1] == ':') {
    windowsPath.remove_prefix(2);
    path = "/";
    if (!windowsPath.empty() && (windowsPath[0] == '\\' || windowsPath[0] == '/')) {
      windowsPath.remove_prefix(1);
    }
  }
  for (char c : windowsPath) path += (c == '\\') ? '/' : c;
  return path;
}

std::string ToWindowsPath(std::string_view posixPath) {
  std::string path = "Z:";
  for (char c : posixPath) path += (c == '/') ? '\\' : c;
  if (path.size() == 2) path += '\\';
  return path;
}

}  // namespace corvisant
