// The manual the program shows in the browser lives in the store root as "CorvisantDocument",
// so that its pages open as local files. It comes with the program, beside the executable.
#pragma once

#include <string>

namespace corvisant {

// Copies the manual's pages from the "CorvisantDocument" folder of programDirectory into the
// store root when the store has no such folder yet. A store's own manual, maybe edited, is kept.
// False when a page could not be copied (reported) or the program has no manual.
bool InstallManualIfMissing(const std::string& programDirectory);

}  // namespace corvisant
