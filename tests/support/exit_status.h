// Death-test predicates that hold on both platforms.
#pragma once

#include <gtest/gtest.h>

#include "common/allocator.h"

namespace corvisant::testing {

// The process ended with the system's fatal exit code: -1 as Windows keeps it, 255 as a POSIX
// parent sees it.
inline bool EndedWithFatalCode(int status) {
  return ::testing::ExitedWithCode(kFatalExitCode)(status) ||
         ::testing::ExitedWithCode(kFatalExitCode & 0xFF)(status);
}

}  // namespace corvisant::testing
