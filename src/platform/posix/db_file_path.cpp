#include "platform/berkeley_db.h"
#include "platform/posix/posix_paths.h"

namespace corvisant {

std::string DbFilePath(const std::string& windowsPath) { return ToPosixPath(windowsPath); }

}  // namespace corvisant
