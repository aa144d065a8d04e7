// The process-wide platform ports, reached through one pointer each. The program installs the
// system's own at start-up; tests install doubles.
#pragma once

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/system_folders.h"

namespace corvisant {

struct Ports {
  Files* files = nullptr;
  Clock* clock = nullptr;
  Random* random = nullptr;
  Sound* sound = nullptr;
  SystemFolders* folders = nullptr;
};

// The installed ports.
Ports& CurrentPorts();
// Replaces the installed ports; returns the previous set.
Ports InstallPorts(const Ports& ports);

// The operating system's own ports (defined by the platform side that is built), and the memory
// failure report of that side. Call once at start-up.
Ports SystemPorts();
void InstallSystemMemoryFailureReport();

}  // namespace corvisant
