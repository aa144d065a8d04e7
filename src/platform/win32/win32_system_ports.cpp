// The Win32 side's ports: the program, the tool and the tests built for Windows.
#include "platform/ports.h"
#include "platform/system_files.h"
#include "platform/system_services.h"
#include "platform/win32/crt_random.h"
#include "platform/win32/memory_failure_box.h"

namespace corvisant {

PlatformPorts SystemPorts() {
  static SystemFiles files;
  static SystemClock clock;
  static CrtRandom random;
  static SystemSound sound;
  static SystemFolderLookup folders;
  return PlatformPorts{&files, &clock, &random, &sound, &folders, MessageBoxMemoryFailureHandler()};
}

}  // namespace corvisant
