#include "tools/corvisant-tool/browser_watch_live.h"

#include "browser/win32/win32_desktop.h"

namespace corvisant::tool {

std::unique_ptr<DesktopPort> OpenLiveDesktop() { return std::make_unique<win32::Win32Desktop>(); }

}  // namespace corvisant::tool
