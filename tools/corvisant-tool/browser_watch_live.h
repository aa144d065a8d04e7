// The tool's desktop, made by the platform side of the tool: none in a build without windows.
#pragma once

#include <memory>

#include "browser/desktop_port.h"

namespace corvisant::tool {

std::unique_ptr<DesktopPort> OpenLiveDesktop();

}  // namespace corvisant::tool
