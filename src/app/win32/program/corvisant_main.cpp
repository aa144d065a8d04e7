// Corvisant.exe: the application's start-up, its message loop and its shutdown.
#include <windows.h>

#include <cstdlib>

#include "app/win32/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  corvisant::Application application(showCommand);
  if (!application.InitInstance(__argc, __argv)) return 0;
  return application.Run();
}
