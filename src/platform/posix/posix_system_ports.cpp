// The POSIX side's ports: the native build of the core, the tool and the tests.
#include "platform/ports.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_files.h"

namespace corvisant {

Ports SystemPorts() {
  static PosixFiles files;
  static PosixClock clock;
  static StandardRandom random;
  return Ports{&files, &clock, &random};
}

// The allocator's own report (the message on stderr, exit -1) is the POSIX side's report.
void InstallSystemMemoryFailureReport() {}

}  // namespace corvisant
