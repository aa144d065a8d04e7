// The POSIX side's ports: the native build of the core, the tool and the tests.
#include "platform/ports.h"
#include "platform/system_files.h"
#include "platform/system_services.h"

namespace corvisant {

PlatformPorts SystemPorts() {
  static SystemFiles files;
  static SystemClock clock;
  static StandardRandom random;
  static SystemSound sound;
  static SystemFolderLookup folders;
  // The allocator's own report (the message on stderr, exit -1) is the POSIX side's report.
  return PlatformPorts{&files, &clock, &random, &sound, &folders, nullptr};
}

}  // namespace corvisant
