// browser ...: the browser link. "item" prints the item text a request would carry and "read"
// runs a reply reader on given bytes, in every build; the other commands talk to the running
// browser through DDE (Windows build). Texts from the browser are printed with "\xHH" for
// control and high bytes; window ids are unsigned decimals.
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "browser/browser_link.h"
#include "browser/item_texts.h"
#include "browser/reply_readers.h"
#include "browser/url_echo.h"
#include "platform/ports.h"
#include "tools/corvisant-tool/browser_live.h"
#include "tools/corvisant-tool/printing.h"
#include "tools/corvisant-tool/tool.h"

namespace corvisant::tool {
namespace {

constexpr int kDecimalBase = 10;
constexpr int kHexBase = 16;
constexpr unsigned kMillisecondsPerSecond = 1000;
// Communicator, unless --version says otherwise: the title reader's default form.
constexpr int kDefaultBrowserVersion = 4;
constexpr std::string_view kReloadOption = "--reload";
constexpr std::string_view kVersionOption = "--version";
constexpr std::string_view kWindowOption = "--window";

int Usage(Context& context, const char* usage) {
  std::fprintf(context.err, "usage: corvisant-tool browser %s\n", usage);
  return kExitUsage;
}

void PrintField(Context& context, const char* name, std::string_view value) {
  std::fprintf(context.out, "%s=%s\n", name, HexEscaped(value).c_str());
}

void PrintIds(Context& context, const std::vector<std::uint32_t>& ids) {
  for (std::uint32_t id : ids) std::fprintf(context.out, "%lu\n", static_cast<unsigned long>(id));
}

// A decimal number, with an optional "-", that fits in a long long.
bool ParseDecimal(std::string_view word, long long* value) {
  std::string text(word);
  std::size_t digitsFrom = !text.empty() && text[0] == '-' ? 1 : 0;
  if (digitsFrom == text.size()) return false;
  for (std::size_t i = digitsFrom; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  errno = 0;
  *value = std::strtoll(text.c_str(), nullptr, kDecimalBase);
  return errno == 0;
}

// A window id as a signed or unsigned 32-bit decimal ("-1" and "4294967295" are the same).
bool ParseWindowId(std::string_view word, std::uint32_t* id) {
  long long value = 0;
  if (!ParseDecimal(word, &value) || value < INT32_MIN || value > UINT32_MAX) return false;
  *id = static_cast<std::uint32_t>(value);
  return true;
}

int HexValue(char c) {
  auto byte = static_cast<unsigned char>(c);
  if (!std::isxdigit(byte)) return -1;
  return std::isdigit(byte) ? byte - '0' : std::tolower(byte) - 'a' + kDecimalBase;
}

// The bytes of hex digit pairs; false for an odd count or a non-digit.
bool FromHex(std::string_view hex, std::string* bytes) {
  if (hex.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int high = HexValue(hex[i]), low = HexValue(hex[i + 1]);
    if (high < 0 || low < 0) return false;
    *bytes += static_cast<char>(high * kHexBase + low);
  }
  return true;
}

// text with every "\xHH" as its byte; other backslashes stand as they are.
std::string Unescaped(std::string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string byte;
    if (text.substr(i, 2) == "\\x" && FromHex(text.substr(i + 2, 2), &byte)) {
      bytes += byte;
      i += 3;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

int RunItemOpen(Context& context, const Arguments& arguments) {
  bool reload = arguments.size() == 2 && arguments[1] == kReloadOption;
  if (arguments.empty() || arguments.size() > 2 || (arguments.size() == 2 && !reload)) {
    return Usage(context, "item open URL [--reload]");
  }
  std::fprintf(context.out, "%s\n", OpenUrlItem(arguments[0], reload).c_str());
  return kExitDone;
}

int RunItemNewWindow(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return Usage(context, "item new-window URL");
  std::fprintf(context.out, "%s\n", NewWindowItem(arguments[0]).c_str());
  return kExitDone;
}

int RunItemSave(Context& context, const Arguments& arguments) {
  std::uint32_t window = 0;
  if (arguments.size() != 3 || !ParseWindowId(arguments[2], &window)) {
    return Usage(context, "item save URL FILE WINDOWID");
  }
  std::string root = CurrentPorts().files->CurrentDirectory();
  std::fprintf(context.out, "%s\n", SaveUrlItem(arguments[0], root, arguments[1], window).c_str());
  return kExitDone;
}

int RunReadTitle(Context& context, const Arguments& arguments) {
  long long version = 0;
  if (arguments.size() != 3 || arguments[0] != kVersionOption ||
      !ParseDecimal(arguments[1], &version)) {
    return Usage(context, "read title --version N TEXT");
  }
  PrintField(context, "title", ReadTitleReply(Unescaped(arguments[2]), static_cast<int>(version)));
  return kExitDone;
}

int RunReadUrl(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return Usage(context, "read url TEXT");
  PrintField(context, "url", ReadUrlReply(Unescaped(arguments[0])));
  return kExitDone;
}

int RunReadWindows(Context& context, const Arguments& arguments) {
  std::string reply;
  if (arguments.size() != 1 || !FromHex(arguments[0], &reply)) {
    return Usage(context, "read windows HEX");
  }
  std::vector<std::uint32_t> ids;
  ReadWindowList(reply, ids);
  PrintIds(context, ids);
  return kExitDone;
}

int RunReadEcho(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return Usage(context, "read echo TEXT");
  std::optional<UrlEcho> echo = ReadUrlEcho(Unescaped(arguments[0]));
  if (!echo) return kExitNothing;
  PrintField(context, "url", echo->url);
  if (echo->mime) {
    PrintField(context, "mime", *echo->mime);
  } else {
    std::fprintf(context.out, "mime-absent\n");
  }
  return kExitDone;
}

// "item" and "read" take one more word: the request or the reader.
struct Subcommand {
  std::string_view name;
  int (*run)(Context& context, const Arguments& arguments);
};

template <std::size_t N>
int RunSubcommand(Context& context, const Arguments& arguments, const Subcommand (&table)[N],
                  const char* usage) {
  for (const Subcommand& subcommand : table) {
    if (!arguments.empty() && arguments[0] == subcommand.name) {
      return subcommand.run(context, Arguments(arguments.begin() + 1, arguments.end()));
    }
  }
  return Usage(context, usage);
}

int RunItem(Context& context, const Arguments& arguments) {
  static const Subcommand kItems[] = {
      {"open", RunItemOpen}, {"new-window", RunItemNewWindow}, {"save", RunItemSave}};
  return RunSubcommand(context, arguments, kItems, "item open|new-window|save ...");
}

int RunRead(Context& context, const Arguments& arguments) {
  static const Subcommand kReaders[] = {{"title", RunReadTitle},
                                        {"url", RunReadUrl},
                                        {"windows", RunReadWindows},
                                        {"echo", RunReadEcho}};
  return RunSubcommand(context, arguments, kReaders, "read title|url|windows|echo ...");
}

// The live commands: a DDE instance of the tool's own and the link over it.
class LiveLink {
 public:
  explicit LiveLink(bool serve)
      : dde_(OpenLiveDde(serve)),
        link_(dde_ ? std::make_unique<BrowserLink>(dde_->port(), *CurrentPorts().clock) : nullptr) {
  }
  LiveLink(const LiveLink&) = delete;
  LiveLink& operator=(const LiveLink&) = delete;
  ~LiveLink() { link_.reset(); }

  // False, with the reason on the error stream, when this build cannot talk to a browser.
  bool Ready(Context& context) const {
    if (link_ != nullptr) return true;
    std::fprintf(context.err,
                 "corvisant-tool: no DDE link to the browser here (the Windows build has one)\n");
    return false;
  }
  BrowserLink& link() { return *link_; }
  LiveDde& dde() { return *dde_; }

 private:
  std::unique_ptr<LiveDde> dde_;
  std::unique_ptr<BrowserLink> link_;
};

int Outcome(bool done) { return done ? kExitDone : kExitNothing; }

int RunAnswers(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return Usage(context, "answers");
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  bool answers = live.link().BrowserAnswers();
  std::fprintf(context.out, "%s\n", answers ? "answers" : "no answer");
  return Outcome(answers);
}

int RunWindows(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return Usage(context, "windows");
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  std::vector<std::uint32_t> ids;
  if (!live.link().ListBrowserWindows(ids)) return kExitNothing;
  PrintIds(context, ids);
  return kExitDone;
}

int RunTitle(Context& context, const Arguments& arguments) {
  long long version = kDefaultBrowserVersion;
  if (!arguments.empty() && (arguments.size() != 2 || arguments[0] != kVersionOption ||
                             !ParseDecimal(arguments[1], &version))) {
    return Usage(context, "title [--version N]");
  }
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  live.link().state().browserVersion = static_cast<int>(version);
  PrintField(context, "title", live.link().GetBrowserTitle());
  return kExitDone;
}

int RunUrl(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return Usage(context, "url");
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  std::optional<std::string> url = live.link().GetBrowserUrl();
  if (!url) return kExitNothing;
  PrintField(context, "url", *url);
  return kExitDone;
}

// As an open of the engine: the answer check first, then the request.
int RunOpen(Context& context, const Arguments& arguments) {
  bool reload = arguments.size() == 2 && arguments[1] == kReloadOption;
  if (arguments.empty() || arguments.size() > 2 || (arguments.size() == 2 && !reload)) {
    return Usage(context, "open URL [--reload]");
  }
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  live.link().WaitForBrowserAnswer();
  return Outcome(live.link().RequestOpen(arguments[0], reload));
}

int RunOpenNew(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return Usage(context, "open-new URL");
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  return Outcome(live.link().OpenUrlInNewWindow(arguments[0]));
}

// Saves through the last active window unless --window names one.
int RunSave(Context& context, const Arguments& arguments) {
  std::uint32_t window = kLastActiveWindow;
  bool windowGiven = arguments.size() == 4 && arguments[2] == kWindowOption;
  if ((arguments.size() != 2 && !windowGiven) ||
      (windowGiven && !ParseWindowId(arguments[3], &window))) {
    return Usage(context, "save URL RELFILE [--window ID]");
  }
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  live.link().state().workWindowId = window;
  std::string root = CurrentPorts().files->CurrentDirectory();
  std::uint32_t took = live.link().RequestSave(arguments[0], root, arguments[1]);
  std::fprintf(context.out, "%lu\n", static_cast<unsigned long>(took));
  return Outcome(SaveResult(took) == 0);
}

// Prints each echo item on its own line as it arrives.
class EchoPrinter : public UrlEchoHandler {
 public:
  explicit EchoPrinter(Context& context) : context_(context) {}
  void HandleUrlEcho(std::string_view item) override {
    std::fprintf(context_.out, "%s\n", HexEscaped(item).c_str());
    std::fflush(context_.out);
  }

 private:
  Context& context_;
};

int RunListen(Context& context, const Arguments& arguments) {
  long long seconds = 0;
  if (arguments.size() != 1 || !ParseDecimal(arguments[0], &seconds) || seconds < 0 ||
      seconds > UINT32_MAX / kMillisecondsPerSecond) {
    return Usage(context, "listen SECONDS");
  }
  LiveLink live(true);
  if (!live.Ready(context)) return kExitUsage;
  EchoPrinter printer(context);
  live.link().SetUrlEchoHandler(&printer);
  live.link().RegisterUrlEcho();
  live.dde().PumpMessages(static_cast<unsigned>(seconds) * kMillisecondsPerSecond);
  live.link().UnregisterUrlEcho();
  live.link().SetUrlEchoHandler(nullptr);
  return kExitDone;
}

const Command kBrowserCommands[] = {
    {"browser", "item", "open URL [--reload] | new-window URL | save URL FILE WINDOWID",
     "the item text of a request", RunItem},
    {"browser", "read", "title --version N TEXT | url TEXT | windows HEX | echo TEXT",
     "a reader run on reply bytes (TEXT may hold \\xHH)", RunRead},
    {"browser", "answers", "", "exit 0 when the browser answers", RunAnswers},
    {"browser", "windows", "", "the browser's window ids", RunWindows},
    {"browser", "title", "[--version N]", "the last active window's title", RunTitle},
    {"browser", "url", "", "the last active window's URL", RunUrl},
    {"browser", "open", "URL [--reload]", "open in the last active window", RunOpen},
    {"browser", "open-new", "URL", "open in a new window", RunOpenNew},
    {"browser", "save", "URL RELFILE [--window ID]", "save below the store root", RunSave},
    {"browser", "listen", "SECONDS", "print the URL echoes that arrive", RunListen},
};
const CommandRegistration registerBrowser(kBrowserCommands);

}  // namespace
}  // namespace corvisant::tool
