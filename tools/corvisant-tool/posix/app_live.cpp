#include "tools/corvisant-tool/app_live.h"

namespace corvisant::tool {

// The native build sees no windows of a running program.
std::unique_ptr<LiveApp> OpenLiveApp() { return nullptr; }

}  // namespace corvisant::tool
