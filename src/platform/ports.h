// The platform ports: the seams to the operating system that every layer reaches through
// Current<Files>(), Current<Clock>() and so on. The wiring place installs the system's own at
// start-up; tests install doubles.
#pragma once

#include "common/allocator.h"
#include "common/process_wide.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/system_folders.h"

namespace corvisant {

struct PlatformPorts {
  Files* files = nullptr;
  Clock* clock = nullptr;
  Random* random = nullptr;
  Sound* sound = nullptr;
  SystemFolders* folders = nullptr;
  // Null keeps the allocator's own report (the message on stderr, exit -1).
  MemoryFailureHandler* memoryFailure = nullptr;
};

// The operating system's own ports, defined by the platform side that is built.
PlatformPorts SystemPorts();

}  // namespace corvisant
