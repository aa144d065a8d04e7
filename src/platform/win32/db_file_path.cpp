#include "platform/berkeley_db.h"

namespace corvisant {

// The Windows C library takes the system's own paths as they are.
std::string DbFilePath(const std::string& windowsPath) { return windowsPath; }

}  // namespace corvisant
