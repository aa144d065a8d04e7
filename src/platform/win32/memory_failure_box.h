// The memory failure as the user sees it on Windows: a message box, then the end of the process.
#pragma once

#include "common/allocator.h"

namespace corvisant {

MemoryFailureHandler* MessageBoxMemoryFailureHandler();

}  // namespace corvisant
