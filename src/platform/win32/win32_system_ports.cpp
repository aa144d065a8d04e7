// The Win32 side's ports: the program, the tool and the tests built for Windows.
#include "platform/ports.h"
#include "platform/win32/crt_random.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_system.h"

namespace corvisant {

Ports SystemPorts() {
  static Win32Files files;
  static Win32Clock clock;
  static CrtRandom random;
  static Win32Sound sound;
  static Win32SystemFolders folders;
  return Ports{&files, &clock, &random, &sound, &folders};
}

}  // namespace corvisant
