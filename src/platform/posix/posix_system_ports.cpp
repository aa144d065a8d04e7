// The POSIX side's ports: the native build of the core, the tool and the tests.
#include "platform/ports.h"
#include "platform/system_files.h"
#include "platform/system_services.h"

namespace corvisant {

Ports SystemPorts() {
  static SystemFiles files;
  static SystemClock clock;
  static StandardRandom random;
  static SystemSound sound;
  static SystemFolderLookup folders;
  return Ports{&files, &clock, &random, &sound, &folders};
}

// The allocator's own report (the message on stderr, exit -1) is the POSIX side's report.
void InstallSystemMemoryFailureReport() {}

}  // namespace corvisant
