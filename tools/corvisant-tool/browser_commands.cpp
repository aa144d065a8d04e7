// browser ...: the browser link. "item" prints the item text a request would carry and "read"
// runs a reply reader on given bytes, in every build; the other commands talk to the running
// browser through DDE (Windows build). Texts from the browser are printed with "\xHH" for
// control and high bytes; window ids are unsigned decimals.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "browser/browser_link.h"
#include "browser/item_texts.h"
#include "browser/reply_readers.h"
#include "browser/url_echo.h"
#include "platform/ports.h"
#include "tools/corvisant-tool/arguments.h"
#include "tools/corvisant-tool/browser_live.h"

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

void PrintField(Context& context, const char* name, std::string_view value) {
  std::fprintf(context.out, "%s=%s\n", name, Printable(value).c_str());
}

void PrintIds(Context& context, const std::vector<std::uint32_t>& ids) {
  for (std::uint32_t id : ids) std::fprintf(context.out, "%lu\n", static_cast<unsigned long>(id));
}

// A window id as a signed or unsigned 32-bit decimal ("-1" and "4294967295" are the same).
bool ParseWindowId(std::string_view word, std::uint32_t* id) {
  long long value = 0;
  if (!ParseNumberIn(word, INT32_MIN, UINT32_MAX, &value)) return false;
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
  if (arguments.empty() || arguments.size() > 2 || (arguments.size() == 2 && !reload))
    return kExitUsage;
  std::fprintf(context.out, "%s\n", OpenUrlItem(arguments[0], reload).c_str());
  return kExitDone;
}

int RunItemNewWindow(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  std::fprintf(context.out, "%s\n", NewWindowItem(arguments[0]).c_str());
  return kExitDone;
}

int RunItemSave(Context& context, const Arguments& arguments) {
  std::uint32_t window = 0;
  if (arguments.size() != 3 || !ParseWindowId(arguments[2], &window)) return kExitUsage;
  std::string root = Current<Files>()->CurrentDirectory();
  std::fprintf(context.out, "%s\n", SaveUrlItem(arguments[0], root, arguments[1], window).c_str());
  return kExitDone;
}

int RunReadTitle(Context& context, const Arguments& arguments) {
  long long version = 0;
  if (arguments.size() != 3 || arguments[0] != kVersionOption ||
      !ParseNumber(arguments[1], &version))
    return kExitUsage;
  PrintField(context, "title", ReadTitleReply(Unescaped(arguments[2]), static_cast<int>(version)));
  return kExitDone;
}

int RunReadUrl(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  PrintField(context, "url", ReadUrlReply(Unescaped(arguments[0])));
  return kExitDone;
}

int RunReadWindows(Context& context, const Arguments& arguments) {
  std::string reply;
  if (arguments.size() != 1 || !FromHex(arguments[0], &reply)) return kExitUsage;
  std::vector<std::uint32_t> ids;
  ReadWindowList(reply, ids);
  PrintIds(context, ids);
  return kExitDone;
}

int RunReadEcho(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
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

// The live commands: a DDE instance of the tool's own and the link over it.
class LiveLink {
 public:
  explicit LiveLink(bool serve)
      : dde_(OpenLiveDde(serve)),
        link_(dde_ ? std::make_unique<BrowserLink>(dde_->port(), *Current<Clock>()) : nullptr) {}
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
  if (!arguments.empty()) return kExitUsage;
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  bool answers = live.link().BrowserAnswers();
  std::fprintf(context.out, "%s\n", answers ? "answers" : "no answer");
  return Outcome(answers);
}

int RunWindows(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
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
                             !ParseNumber(arguments[1], &version)))
    return kExitUsage;
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  live.link().state().browserVersion = static_cast<int>(version);
  PrintField(context, "title", live.link().GetBrowserTitle());
  return kExitDone;
}

int RunUrl(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
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
  if (arguments.empty() || arguments.size() > 2 || (arguments.size() == 2 && !reload))
    return kExitUsage;
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  live.link().WaitForBrowserAnswer();
  return Outcome(live.link().RequestOpen(arguments[0], reload));
}

int RunOpenNew(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  return Outcome(live.link().OpenUrlInNewWindow(arguments[0]));
}

// Saves through the last active window unless --window names one.
int RunSave(Context& context, const Arguments& arguments) {
  std::uint32_t window = kLastActiveWindow;
  bool windowGiven = arguments.size() == 4 && arguments[2] == kWindowOption;
  if ((arguments.size() != 2 && !windowGiven) ||
      (windowGiven && !ParseWindowId(arguments[3], &window)))
    return kExitUsage;
  LiveLink live(false);
  if (!live.Ready(context)) return kExitUsage;
  live.link().state().workWindowId = window;
  std::string root = Current<Files>()->CurrentDirectory();
  std::uint32_t took = live.link().RequestSave(arguments[0], root, arguments[1]);
  std::fprintf(context.out, "%lu\n", static_cast<unsigned long>(took));
  return Outcome(SaveResult(took) == 0);
}

// Prints each echo item on its own line as it arrives.
class EchoPrinter : public UrlEchoHandler {
 public:
  explicit EchoPrinter(Context& context) : context_(context) {}
  void HandleUrlEcho(std::string_view item) override {
    std::fprintf(context_.out, "%s\n", Printable(item).c_str());
    std::fflush(context_.out);
  }

 private:
  Context& context_;
};

int RunListen(Context& context, const Arguments& arguments) {
  long long seconds = 0;
  if (arguments.size() != 1 || !ParseNumber(arguments[0], &seconds) || seconds < 0 ||
      seconds > UINT32_MAX / kMillisecondsPerSecond)
    return kExitUsage;
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
    {"browser", "item open", "URL [--reload]", "the item text of an open", RunItemOpen},
    {"browser", "item new-window", "URL", "the item text of an open in a new window",
     RunItemNewWindow},
    {"browser", "item save", "URL FILE WINDOWID", "the item text of a save", RunItemSave},
    {"browser", "read title", "--version N TEXT", "the title reader on a reply (TEXT: \\xHH)",
     RunReadTitle},
    {"browser", "read url", "TEXT", "the URL reader on a reply", RunReadUrl},
    {"browser", "read windows", "HEX", "the window-list reader on reply bytes", RunReadWindows},
    {"browser", "read echo", "TEXT", "the URL echo reader on an echo item", RunReadEcho},
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
