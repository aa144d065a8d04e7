#include "platform/posix/posix_system.h"

#include <cstdlib>

namespace corvisant {

bool SilentSound::PlayFile(const std::string&) { return true; }

std::string PosixSystemFolders::WindowsDirectory() {
  const char* named = std::getenv("CORVISANT_WINDIR");
  return named != nullptr && *named != '\0' ? std::string(named) : std::string("Z:\\windows");
}

}  // namespace corvisant
