#include "tools/corvisant-tool/tool.h"

namespace corvisant::tool {

// POSIX consoles take bytes as they are.
void UseBinaryConsole() {}

}  // namespace corvisant::tool
