#include "tools/corvisant-tool/browser_watch_live.h"

namespace corvisant::tool {

// The native build sees no browser's windows.
std::unique_ptr<DesktopPort> OpenLiveDesktop() { return nullptr; }

}  // namespace corvisant::tool
