// app press|menu|close|running: a front on the running Corvisant for scripts and tests, through
// its windows (Windows build): a click on a controller button, a menu command, the system menu's
// close, and whether it runs.
#include <cstdio>
#include <memory>

#include "navigation/engine_ports.h"
#include "tools/corvisant-tool/app_live.h"
#include "tools/corvisant-tool/arguments.h"

namespace corvisant::tool {
namespace {

struct ButtonName {
  int id;
  const char* name;
};
constexpr ButtonName kButtons[] = {
    {button::kOn, "ON"},           {button::kAutoNavigation, "Auto navi."},
    {button::kForward, "Forward"}, {button::kBack, "Back"},
    {button::kRec, "Rec"},         {button::kTrack, "Track"},
};
// A command id travels in the low word of the message.
constexpr long long kLowestCommand = 1;
constexpr long long kHighestCommand = 0xFFFF;

// The running program's windows, or null with the reason on the error stream when this build
// has none.
std::unique_ptr<LiveApp> OpenApp(Context& context) {
  std::unique_ptr<LiveApp> app = OpenLiveApp();
  if (app == nullptr) {
    std::fprintf(context.err,
                 "corvisant-tool: no windows of a running Corvisant here (the Windows build has "
                 "them)\n");
  }
  return app;
}

int Outcome(Context& context, AppPost post) {
  switch (post) {
    case AppPost::kPosted:
      return kExitDone;
    case AppPost::kNotRunning:
      return Failed(context, "Corvisant does not run (no menu-bar window)");
    case AppPost::kNoController:
      return Failed(context, "the running Corvisant shows no controller");
    case AppPost::kRefused:
      break;
  }
  return Failed(context, "the running Corvisant's window did not take the message");
}

bool IsButton(long long id) {
  for (const ButtonName& button : kButtons) {
    if (button.id == id) return true;
  }
  return false;
}

void PrintButtons(Context& context) {
  std::fprintf(context.err, "corvisant-tool: the controller's buttons are");
  for (const ButtonName& button : kButtons) {
    std::fprintf(context.err, " %d (%s)", button.id, button.name);
  }
  std::fputc('\n', context.err);
}

int RunPress(Context& context, const Arguments& arguments) {
  long long id = 0;
  if (arguments.size() != 1 || !ParseNumber(arguments[0], &id)) return kExitUsage;
  if (!IsButton(id)) {
    PrintButtons(context);
    return kExitUsage;
  }
  std::unique_ptr<LiveApp> app = OpenApp(context);
  if (app == nullptr) return kExitUsage;
  return Outcome(context, app->PressButton(static_cast<int>(id)));
}

int RunMenu(Context& context, const Arguments& arguments) {
  long long id = 0;
  if (arguments.size() != 1 || !ParseNumberIn(arguments[0], kLowestCommand, kHighestCommand, &id))
    return kExitUsage;
  std::unique_ptr<LiveApp> app = OpenApp(context);
  if (app == nullptr) return kExitUsage;
  return Outcome(context, app->MenuCommand(static_cast<int>(id)));
}

int RunClose(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
  std::unique_ptr<LiveApp> app = OpenApp(context);
  if (app == nullptr) return kExitUsage;
  return Outcome(context, app->Close());
}

int RunRunning(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
  std::unique_ptr<LiveApp> app = OpenApp(context);
  if (app == nullptr) return kExitUsage;
  return app->Running() ? kExitDone : kExitNothing;
}

const Command kAppCommands[] = {
    {"app", "press", "ID", "click the running Corvisant's controller button ID", RunPress},
    {"app", "menu", "ID", "send the running Corvisant's menu command ID", RunMenu},
    {"app", "close", "", "close the running Corvisant as its system menu does", RunClose},
    {"app", "running", "", "exit 0 when Corvisant runs", RunRunning},
};
const CommandRegistration registerApp(kAppCommands);

}  // namespace
}  // namespace corvisant::tool
