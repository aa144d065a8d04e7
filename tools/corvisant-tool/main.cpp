#include "app/text_reporter.h"
#include "platform/ports.h"
#include "tools/corvisant-tool/tool.h"

int main(int argc, char** argv) {
  using namespace corvisant;
  TextReporter reporter(stderr, "corvisant-tool");
  ProcessObjects process({SystemPorts(), &reporter});
  tool::UseBinaryConsole();
  tool::Arguments arguments(argv + 1, argv + argc);
  tool::Context context;
  context.process = &process;
  int status = tool::RunTool(context, arguments);
  std::fflush(context.out);
  return status;
}
