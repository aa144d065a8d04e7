// Netscape.exe: the stand-in browser. Usage and options: standin/README.md.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "standin/core/options.h"
#include "standin/win32/shell.h"

namespace {

constexpr int kBadArgumentsExit = 2;
constexpr int kStartFailedExit = 3;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::vector<std::string> args(__argv + 1, __argv + __argc);
  standin::Options options;
  std::string error;
  if (!standin::ParseOptions(args, program, &options, &error)) {
    std::fprintf(stderr, "Netscape stand-in: %s\n", error.c_str());
    return kBadArgumentsExit;
  }
  standin_shell::Shell shell(instance, std::move(options));
  if (!shell.Start()) return kStartFailedExit;
  return shell.Run();
}
