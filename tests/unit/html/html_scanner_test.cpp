// The token list of a page, as one comparable line per token. The fuzz property scan_html checks
// on any bytes that tokens come in page order, point just after their "<" and keep the texts of
// their kind; these tests check what each kind of markup becomes.
#include "html/html_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/tag_table.h"

namespace corvisant {
namespace {

// A token as one comparable line: "text:T", "start ID:TEXT", "start ID" (no text kept),
// "end ID:TEXT", "end ID", "comment".
std::string Describe(const HtmlToken& token) {
  if (token.tagId == tag_id::kText) return "text:" + token.text.value_or("(none)");
  if (token.tagId == tag_id::kComment) return token.isEnd ? "comment" : "comment (not end)";
  const std::optional<std::string>& kept = token.isEnd ? token.endTagText : token.startTagText;
  std::string line = (token.isEnd ? "end " : "start ") + std::to_string(token.tagId);
  return kept ? line + ":" + *kept : line;
}

struct ScanCase {
  const char* page;
  std::vector<std::string> tokens;
  int looksLikeHtml;
};

TEST(ScanHtml, TokenisesForgivingly) {
  const ScanCase cases[] = {
      {"", {}, 0},
      {"a < b", {"text:a < b"}, 0},
      {"x<b>y", {"text:x", "start -2", "text:y"}, 0},
      {"<!DOCTYPE html>", {"start -1:!DOCTYPE html"}, 0},
      {"<!-- a -- >", {"comment"}, 0},
      {"<!-- a --\r\n>", {}, 0},
      {"t<!-- a --\r\n>rest<b>", {"text:t"}, 0},
      {"<A HREF=x.html>", {"start 8:A HREF=x.html"}, 0},
      {"<title>Hello</title>", {"start 1:title", "text:Hello", "end 1:/title"}, 1},
      {"before<a href=", {"text:before"}, 0},
      {"<a href=x>open <b", {"start 8:a href=x", "text:open "}, 0},
      {"<p>AT&amp;T &lt;b&gt;</p>", {"start -2", "text:AT&T <b>", "end -2"}, 0},
      {"<a href=\"x?a=1&amp;b=2\">", {"start 8:a href=\"x?a=1&b=2\""}, 0},
      {"</ title>a<1b><>< p>", {"text:</ title>a<1b><>< p>"}, 0},
      {"a<", {"text:a<"}, 0},
      {"<!", {}, 0},
      {"x<!>y<!-x>", {"text:x", "start -1:!", "text:y", "start -1:!-x"}, 0},
      {"<!-->x<!--->", {"comment", "text:x", "comment"}, 0},
      {"<!-- a --- b --><!-- <b> -->text", {"comment", "comment", "text:text"}, 0},
      {"<!-- a -- \n - ->", {"comment"}, 0},
      {"<html><BODY bgcolor=white>", {"start -2", "start 56:BODY bgcolor=white"}, 1},
      {"</HTML></body >", {"end -2", "end 56:/body "}, 1},
      {"<p&#32;class=x><t&#105;tle>x", {"start -2", "start 1:title", "text:x"}, 1},
      {"<a\nhref=x>x</a>", {"start 8:a\nhref=x", "text:x", "end 8:/a"}, 0},
      {"<img src=a.gif><visit href=b>", {"start 24:img src=a.gif", "start 62:visit href=b"}, 0},
      {"<a title='a>b'>", {"start 8:a title='a", "text:b'>"}, 0},
      {"<br/><x-custom>", {"start -1:br/", "start -1:x-custom"}, 0},
  };
  for (const ScanCase& c : cases) {
    int looks = -1;
    std::vector<std::string> tokens;
    HtmlTokenPtr head = ScanHtml(c.page, &looks);
    for (const HtmlToken* t = head.get(); t != nullptr; t = t->next.get()) {
      tokens.push_back(Describe(*t));
    }
    EXPECT_EQ(tokens, c.tokens) << c.page;
    EXPECT_EQ(looks, c.looksLikeHtml) << c.page;
  }
}

TEST(ScanHtml, ANullPageGivesNoTokens) {
  int looks = -1;
  EXPECT_EQ(ScanHtml(nullptr, &looks), nullptr);
  EXPECT_EQ(looks, 0);
  EXPECT_EQ(ScanHtml("<title>", nullptr)->tagId, tag_id::kTitle);
}

TEST(ScanHtml, AVeryLongListIsFreedWithoutRecursion) {
  std::string page;
  constexpr int kTokens = 300000;
  for (int i = 0; i < kTokens / 2; ++i) page += "<a>x";
  HtmlTokenPtr head = ScanHtml(page.c_str(), nullptr);
  int count = 0;
  for (const HtmlToken* token = head.get(); token != nullptr; token = token->next.get()) ++count;
  EXPECT_EQ(count, kTokens);
  FreeHtmlTokens(std::move(head));
}

TEST(FreeHtmlToken, GivesBackTheTokensAfterIt) {
  HtmlTokenPtr rest = FreeHtmlToken(ScanHtml("a<b>c", nullptr));
  ASSERT_NE(rest, nullptr);
  EXPECT_EQ(rest->tagId, tag_id::kIgnored);
  EXPECT_EQ(FreeHtmlToken(nullptr), nullptr);
}

}  // namespace
}  // namespace corvisant
