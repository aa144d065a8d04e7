// html tokens | attribute | decode: the HTML scanner, attribute reader and entity decoder. Texts
// are printed escaped so that every byte of a page shows on one line.
#include <cstdio>
#include <string>
#include <string_view>

#include "html/attributes.h"
#include "html/entities.h"
#include "html/html_scanner.h"
#include "html/tag_table.h"
#include "platform/ports.h"
#include "tools/corvisant-tool/printing.h"
#include "tools/corvisant-tool/tool.h"
#include "url/store_files.h"

namespace corvisant::tool {
namespace {

constexpr std::string_view kSkipOption = "--skip";

void PrintToken(Context& context, const HtmlToken& token) {
  if (token.tagId == tag_id::kText) {
    std::fprintf(context.out, "text \"%s\"\n", QuoteEscaped(token.text.value_or("")).c_str());
    return;
  }
  if (token.tagId == tag_id::kComment) {
    std::fprintf(context.out, "comment\n");
    return;
  }
  const std::optional<std::string>& kept = token.isEnd ? token.endTagText : token.startTagText;
  std::fprintf(context.out, "%s %d ", token.isEnd ? "end" : "start", token.tagId);
  if (kept) {
    std::fprintf(context.out, "\"%s\"\n", QuoteEscaped(*kept).c_str());
  } else {
    std::fprintf(context.out, "-\n");
  }
}

int RunTokens(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  std::string path(arguments[0]);
  std::string page;
  if (!ReadWholeFile(path, &page)) {
    std::fprintf(context.err, "corvisant-tool: cannot read %s\n", path.c_str());
    return kExitNothing;
  }
  int looksLikeHtml = 0;
  HtmlTokenPtr head = ScanHtml(page.c_str(), &looksLikeHtml);
  for (const HtmlToken* token = head.get(); token != nullptr; token = token->next.get()) {
    PrintToken(context, *token);
  }
  std::fprintf(context.out, "looks-like-html=%d\n", looksLikeHtml);
  return kExitDone;
}

int RunAttribute(Context& context, const Arguments& arguments) {
  bool withSkip = arguments.size() == 4 && arguments[2] == kSkipOption;
  if (arguments.size() != 2 && !withSkip) return kExitUsage;
  std::string_view skip = withSkip ? arguments[3] : std::string_view();
  std::size_t offset = 0;
  std::optional<std::string> value = FindAttribute(arguments[0], skip, arguments[1], &offset);
  if (!value) return kExitNothing;
  std::fprintf(context.out, "%s\n%zu\n", QuoteEscaped(*value).c_str(), offset);
  return kExitDone;
}

int RunDecode(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  std::string text(arguments[0]);
  DecodeEntities(text);
  std::fprintf(context.out, "%s\n", QuoteEscaped(text).c_str());
  return kExitDone;
}

const Command kHtmlCommands[] = {
    {"html", "tokens", "FILE", "the tokens of a page, then looks-like-html", RunTokens},
    {"html", "attribute", "TAGTEXT NAME [--skip TEXT]", "an attribute's value and offset",
     RunAttribute},
    {"html", "decode", "TEXT", "the text with its character entities decoded", RunDecode},
};
const CommandRegistration registerHtml(kHtmlCommands);

}  // namespace
}  // namespace corvisant::tool
