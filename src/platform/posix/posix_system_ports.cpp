// The POSIX side's ports: the native build of the core, the tool and the tests.
#include "platform/ports.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_system.h"

namespace corvisant {

Ports SystemPorts() {
  static PosixFiles files;
  static PosixClock clock;
  static StandardRandom random;
  static SilentSound sound;
  static PosixSystemFolders folders;
  return Ports{&files, &clock, &random, &sound, &folders};
}

// The allocator's own report (the message on stderr, exit -1) is the POSIX side's report.
void InstallSystemMemoryFailureReport() {}

}  // namespace corvisant
