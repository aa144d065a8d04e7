#include "tools/corvisant-tool/browser_live.h"

namespace corvisant::tool {

// The native build has no data exchange with a browser.
std::unique_ptr<LiveDde> OpenLiveDde(bool) { return nullptr; }

}  // namespace corvisant::tool
