// corvisant-tool: a command-line front on the core for scripts and black-box tests. Every
// subcommand is a few lines over a core call; this file holds the dispatch shared by all.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/process_objects.h"

namespace corvisant::tool {

constexpr const char* kVersion = "1.02";

// Exit codes: done; the asked-for thing is not there; the command line is wrong. A command that
// returns kExitUsage has its usage line printed for it.
constexpr int kExitDone = 0;
constexpr int kExitNothing = 1;
constexpr int kExitUsage = 2;

using Arguments = std::vector<std::string_view>;

struct Context {
  std::FILE* out = stdout;
  std::FILE* err = stderr;
  // The process's objects: the store is open (for tool use) while a command runs.
  ProcessObjects* process = nullptr;
  // The folder of the sound list as --media named it; empty for the Windows directory's Media.
  std::string mediaDirectory;
};

struct Command {
  const char* group;    // "url", "store", ... ; the first word of the command line
  const char* name;     // the words after the group ("list", "item open"), or null for none
  const char* usage;    // the arguments after the command's words
  const char* summary;  // one line for "help"
  int (*run)(Context& context, const Arguments& arguments);
};

// Adds a file's commands to the tool; each *_commands.cpp holds one of these at namespace scope:
//   const Command kUrlCommands[] = {...};
//   const CommandRegistration registerUrl(kUrlCommands);
class CommandRegistration {
 public:
  template <std::size_t N>
  explicit CommandRegistration(const Command (&commands)[N]) : CommandRegistration(commands, N) {}
  CommandRegistration(const Command* commands, std::size_t count);
};

// Runs the whole command line (without the program name): global options, then one command, with
// the working directory (as --root left it) opened as the store for the command's run.
int RunTool(Context& context, const Arguments& arguments);

// Makes the console write the bytes it is given: no "\r\n" for "\n" on Windows, so that both
// builds print the same text.
void UseBinaryConsole();

}  // namespace corvisant::tool
