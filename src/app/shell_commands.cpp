#include "app/shell_commands.h"

namespace corvisant {
namespace {

constexpr std::string_view kOpenCommand = "[open(\"";
constexpr std::string_view kPrintCommands[] = {"[print(\"", "[printto(\""};
constexpr std::string_view kIndexExtension = ".urli";
constexpr std::string_view kDataExtension = ".urld";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

ShellCommand ParseShellCommand(std::string_view command) {
  ShellCommand parsed;
  if (StartsWith(command, kOpenCommand)) {
    std::string_view rest = command.substr(kOpenCommand.size());
    std::size_t quote = rest.find('"');
    if (quote == std::string_view::npos) return parsed;
    parsed.kind = ShellCommand::Kind::kOpen;
    parsed.path = std::string(rest.substr(0, quote));
    return parsed;
  }
  for (std::string_view print : kPrintCommands) {
    if (StartsWith(command, print)) parsed.kind = ShellCommand::Kind::kPrint;
  }
  return parsed;
}

UrlListPairFiles UrlListPairOf(std::string_view path) {
  std::size_t dot = path.rfind('.');
  std::size_t cut = dot != std::string_view::npos ? dot : (path.empty() ? 0 : path.size() - 1);
  std::string base(path.substr(0, cut));
  std::size_t slash = base.rfind('\\');
  UrlListPairFiles pair;
  pair.indexPath = base + std::string(kIndexExtension);
  pair.dataPath = base + std::string(kDataExtension);
  pair.name = slash == std::string::npos ? base : base.substr(slash + 1);
  return pair;
}

}  // namespace corvisant
