// Runs corvisant-tool in-process with its output and error text caught, for the tests of its
// commands.
#pragma once

#include <cstdio>
#include <string>

#include "tools/corvisant-tool/tool.h"

namespace corvisant::testing {

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

inline std::string DrainToolOutput(std::FILE* file) {
  std::string text;
  std::rewind(file);
  char chunk[256];
  std::size_t count;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, count);
  std::fclose(file);
  return text;
}

// Runs the command line over process's objects (a test's private set).
inline ToolRun RunToolCaptured(ProcessObjects& process, const tool::Arguments& arguments) {
  tool::Context context;
  context.process = &process;
  context.out = std::tmpfile();
  context.err = std::tmpfile();
  int status = tool::RunTool(context, arguments);
  return ToolRun{status, DrainToolOutput(context.out), DrainToolOutput(context.err)};
}

}  // namespace corvisant::testing
