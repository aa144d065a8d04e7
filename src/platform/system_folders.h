// Where the operating system keeps its own folders.
#pragma once

#include <string>

namespace corvisant {

class SystemFolders {
 public:
  virtual ~SystemFolders() = default;
  // The Windows directory ("C:\windows"), without a trailing backslash.
  virtual std::string WindowsDirectory() = 0;
};

}  // namespace corvisant
