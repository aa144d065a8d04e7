// url ...: the URL model and the names of local copies, one result per line, as they are.
#include <string>

#include "platform/ports.h"
#include "tools/corvisant-tool/tool.h"
#include "url/url.h"

namespace corvisant::tool {
namespace {

constexpr std::string_view kKeepBareFragment = "--keep-bare-fragment";

void PrintLine(Context& context, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), context.out);
  std::fputc('\n', context.out);
}

void PrintField(Context& context, const char* name, const UrlPart& part) {
  std::fprintf(context.out, "%s=", name);
  PrintLine(context, part.view());
}

int RunParse(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  UrlParts parts;
  ParseUrl(arguments[0], &parts);
  PrintField(context, "scheme", parts.scheme);
  PrintField(context, "host", parts.host);
  PrintField(context, "port", parts.port);
  PrintField(context, "path", parts.path);
  PrintField(context, "fragment", parts.fragment);
  return kExitDone;
}

int PrintWithResult(Context& context, const std::string& out, bool result) {
  PrintLine(context, out);
  PrintLine(context, result ? "true" : "false");
  return kExitDone;
}

int RunResolve(Context& context, const Arguments& arguments) {
  if (arguments.size() != 2) return kExitUsage;
  std::string out;
  bool result = ResolveUrl(arguments[0], arguments[1], &out);
  return PrintWithResult(context, out, result);
}

int RunRelative(Context& context, const Arguments& arguments) {
  if (arguments.size() != 2) return kExitUsage;
  std::string out;
  bool result = MakeStoreRelativeLink(arguments[0], arguments[1], &out);
  return PrintWithResult(context, out, result);
}

int RunNormalise(Context& context, const Arguments& arguments) {
  bool keep = arguments.size() == 2 && arguments[1] == kKeepBareFragment;
  if (arguments.empty() || arguments.size() > 2 || (arguments.size() == 2 && !keep)) {
    return kExitUsage;
  }
  int fragmentLength = 0;
  PrintLine(context, NormaliseUrlForStore(arguments[0], &fragmentLength, keep));
  std::fprintf(context.out, "%d\n", fragmentLength);
  return kExitDone;
}

int RunStorePath(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  std::string path = UrlToStorePath(arguments[0]);
  if (path.empty()) return kExitNothing;
  PrintLine(context, path);
  return kExitDone;
}

int RunStoreFileUrl(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  std::string url(arguments[0]);
  UrlToStoreFileUrl(url);
  PrintLine(context, url);
  return kExitDone;
}

int RunWebUrl(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  PrintLine(context, StoreFileUrlToUrl(arguments[0]));
  return kExitDone;
}

int RunClassify(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  struct Classifier {
    const char* name;
    bool (*test)(std::string_view);
  };
  static const Classifier kClassifiers[] = {
      {"IsNavigableUrl", IsNavigableUrl},
      {"HasWebPrefix", HasWebPrefix},
      {"HasFilePrefix", HasFilePrefix},
      {"IsNewsOrMailto", IsNewsOrMailto},
      {"IsImageMapQuery", IsImageMapQuery},
      {"IsForeignImageMapQuery", IsForeignImageMapQuery},
      {"MayBeHtml", MayBeHtml},
      {"IsPageUrl", IsPageUrl},
      {"IsImageUrl", IsImageUrl},
      {"LocalFileExists", LocalFileExists},
  };
  for (const Classifier& classifier : kClassifiers) {
    std::fprintf(context.out, "%s=%d\n", classifier.name, classifier.test(arguments[0]) ? 1 : 0);
  }
  return kExitDone;
}

// The text operations that work on one text in place.
int RunTextOperation(Context& context, const Arguments& arguments,
                     void (*operation)(std::string&)) {
  if (arguments.size() != 1) return kExitUsage;
  std::string text(arguments[0]);
  operation(text);
  PrintLine(context, text);
  return kExitDone;
}

int RunMap(Context& context, const Arguments& arguments) {
  return RunTextOperation(context, arguments, [](std::string& text) { MapToStoreChars(text); });
}

int RunUnmap(Context& context, const Arguments& arguments) {
  return RunTextOperation(context, arguments, [](std::string& text) { UnmapStoreChars(text); });
}

int RunPercentDecode(Context& context, const Arguments& arguments) {
  return RunTextOperation(context, arguments, [](std::string& text) { PercentDecode(text); });
}

int RunEscapeCommaSpace(Context& context, const Arguments& arguments) {
  return RunTextOperation(context, arguments,
                          [](std::string& text) { text = EscapeCommaSpace(text); });
}

int RunStripControl(Context& context, const Arguments& arguments) {
  return RunTextOperation(context, arguments, StripControlBytes);
}

const Command kUrlCommands[] = {
    {"url", "parse", "URL", "the five parts of a URL", RunParse},
    {"url", "resolve", "LINK BASE", "a link resolved against its page (store form)", RunResolve},
    {"url", "relative", "LINK BASE", "the store-relative link from a page's copy", RunRelative},
    {"url", "normalise", "URL [--keep-bare-fragment]", "the URL in store form, fragment length",
     RunNormalise},
    {"url", "store-path", "URL", "the local copy's path below the store root", RunStorePath},
    {"url", "store-file-url", "URL", "the file: URL of the local copy", RunStoreFileUrl},
    {"url", "web-url", "URL", "the web URL of a local copy's file: URL", RunWebUrl},
    {"url", "classify", "URL", "the classifiers' answers", RunClassify},
    {"url", "map", "TEXT", "the store character mapping", RunMap},
    {"url", "unmap", "TEXT", "the store character mapping undone", RunUnmap},
    {"url", "percent-decode", "TEXT", "percent escapes decoded", RunPercentDecode},
    {"url", "escape-comma-space", "TEXT", "\",\" and \" \" escaped", RunEscapeCommaSpace},
    {"url", "strip-control", "TEXT", "control bytes removed", RunStripControl},
};
const CommandRegistration registerUrl(kUrlCommands);

}  // namespace
}  // namespace corvisant::tool
