#include "tools/corvisant-tool/tool.h"

#include <algorithm>
#include <cstring>

#include "platform/ports.h"

namespace corvisant::tool {
namespace {

// Every registered command. Made on first use: registrations run during static initialisation,
// in no fixed order between files.
std::vector<const Command*>& Registry() {
  static std::vector<const Command*> commands;
  return commands;
}

int RunHelp(Context& context, const Arguments&) {
  std::fprintf(context.out,
               "usage: corvisant-tool [--root DIR] [--media DIR] [--version] COMMAND ...\n");
  std::fprintf(context.out, "  --root DIR   the store root (default: the current directory)\n");
  std::fprintf(context.out,
               "  --media DIR  the sound folder (default: the Windows Media folder)\n");
  std::fprintf(context.out, "  --version    print the version\n");
  std::fprintf(context.out, "commands:\n");
  std::vector<const Command*> listed = Registry();
  std::stable_sort(listed.begin(), listed.end(), [](const Command* a, const Command* b) {
    return std::strcmp(a->group, b->group) < 0;
  });
  for (const Command* command : listed) {
    std::string words = command->group;
    if (command->name != nullptr) words += std::string(" ") + command->name;
    if (*command->usage != '\0') words += std::string(" ") + command->usage;
    std::fprintf(context.out, "  %-40s %s\n", words.c_str(), command->summary);
  }
  return kExitDone;
}

// How many words of the command line the command's group and name take; 0 when they differ.
std::size_t MatchedWords(const Command& command, const Arguments& words) {
  if (words.empty() || words[0] != command.group) return 0;
  std::size_t used = 1;
  std::string_view name = command.name != nullptr ? command.name : "";
  while (!name.empty()) {
    std::size_t space = name.find(' ');
    if (used == words.size() || words[used] != name.substr(0, space)) return 0;
    ++used;
    name = space == std::string_view::npos ? std::string_view() : name.substr(space + 1);
  }
  return used;
}

const Command* FindCommand(const Arguments& words, std::size_t* wordsUsed) {
  for (const Command* command : Registry()) {
    if ((*wordsUsed = MatchedWords(*command, words)) > 0) return command;
  }
  return nullptr;
}

int PrintUsage(Context& context, const Command& command) {
  std::fprintf(context.err, "usage: corvisant-tool %s", command.group);
  if (command.name != nullptr) std::fprintf(context.err, " %s", command.name);
  if (*command.usage != '\0') std::fprintf(context.err, " %s", command.usage);
  std::fputc('\n', context.err);
  return kExitUsage;
}

int RunCommand(Context& context, const Command& command, const Arguments& arguments) {
  context.process->OpenStore({StoreUse::kTool, context.mediaDirectory});
  int status = command.run(context, arguments);
  context.process->CloseStore();
  return status == kExitUsage ? PrintUsage(context, command) : status;
}

int UsageError(Context& context, const char* problem, std::string_view detail) {
  std::fprintf(context.err, "corvisant-tool: %s%.*s\n", problem, static_cast<int>(detail.size()),
               detail.data());
  std::fprintf(context.err, "run \"corvisant-tool help\" for the list of commands\n");
  return kExitUsage;
}

const Command kHelpCommands[] = {
    {"help", nullptr, "", "list the subcommands", RunHelp},
};
const CommandRegistration registerHelp(kHelpCommands);

}  // namespace

CommandRegistration::CommandRegistration(const Command* commands, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) Registry().push_back(&commands[i]);
}

int RunTool(Context& context, const Arguments& arguments) {
  std::size_t next = 0;
  while (next < arguments.size() && arguments[next].substr(0, 2) == "--") {
    std::string_view option = arguments[next++];
    if (option == "--version") {
      std::fprintf(context.out, "%s\n", kVersion);
      return kExitDone;
    }
    if (option == "--root") {
      if (next == arguments.size()) return UsageError(context, "--root needs a directory", "");
      std::string root(arguments[next++]);
      if (!Current<Files>()->ChangeDirectory(root)) {
        return UsageError(context, "cannot use the store root ", root);
      }
      continue;
    }
    if (option == "--media") {
      if (next == arguments.size()) return UsageError(context, "--media needs a directory", "");
      context.mediaDirectory = std::string(arguments[next++]);
      continue;
    }
    return UsageError(context, "unknown option ", option);
  }
  Arguments words(arguments.begin() + static_cast<std::ptrdiff_t>(next), arguments.end());
  if (words.empty()) return RunHelp(context, words);
  std::size_t wordsUsed = 0;
  const Command* command = FindCommand(words, &wordsUsed);
  if (command == nullptr) return UsageError(context, "unknown command ", words[0]);
  Arguments rest(words.begin() + static_cast<std::ptrdiff_t>(wordsUsed), words.end());
  return RunCommand(context, *command, rest);
}

}  // namespace corvisant::tool
