// The Win32 side's ports: the program, the tool and the tests built for Windows.
#include "platform/ports.h"
#include "platform/system_files.h"
#include "platform/system_services.h"
#include "platform/win32/crt_random.h"

namespace corvisant {

Ports SystemPorts() {
  static SystemFiles files;
  static SystemClock clock;
  static CrtRandom random;
  static SystemSound sound;
  static SystemFolderLookup folders;
  return Ports{&files, &clock, &random, &sound, &folders};
}

}  // namespace corvisant
