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

struct Scan {
  std::vector<std::string> tokens;
  int looksLikeHtml;
};

Scan ScanOf(const std::string& page) {
  Scan scan{{}, -1};
  HtmlTokenPtr head = ScanHtml(page.c_str(), &scan.looksLikeHtml);
  for (const HtmlToken* token = head.get(); token != nullptr; token = token->next.get()) {
    scan.tokens.push_back(Describe(*token));
    // Exactly one of the texts belongs to each kind of token.
    int texts =
        token->text.has_value() + token->startTagText.has_value() + token->endTagText.has_value();
    EXPECT_LE(texts, 1) << page;
  }
  return scan;
}

struct ScanCase {
  const char* page;
  std::vector<std::string> tokens;
  int looksLikeHtml;
};

TEST(ScanHtml, TokenisesForgivingly) {
  const ScanCase cases[] = {
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
      {"<p>AT&amp;T</p>", {"start -2", "text:AT&T", "end -2"}, 0},
      {"<a href=\"x?a=1&amp;b=2\">", {"start 8:a href=\"x?a=1&b=2\""}, 0},
      {"&lt;b&gt;", {"text:<b>"}, 0},
      {"</ title>a<1b><>< p>", {"text:</ title>a<1b><>< p>"}, 0},
      {"a<", {"text:a<"}, 0},
      {"<!", {}, 0},
      {"x<!>y", {"text:x", "start -1:!", "text:y"}, 0},
      {"<!-->x", {"comment", "text:x"}, 0},
      {"<!--->", {"comment"}, 0},
      {"<!-- a --- b -->", {"comment"}, 0},
      {"<!-- a -- \n - ->", {"comment"}, 0},
      {"<!-- <b> -->text", {"comment", "text:text"}, 0},
      {"<!-x>", {"start -1:!-x"}, 0},
      {"<html><BODY bgcolor=white>", {"start -2", "start 56:BODY bgcolor=white"}, 1},
      {"</HTML>", {"end -2"}, 1},
      {"<head>", {"start -2"}, 1},
      {"</body >", {"end 56:/body "}, 1},
      {"<t&#105;tle>x", {"start 1:title", "text:x"}, 1},
      {"<p&#32;class=x>", {"start -2"}, 0},
      {"<a\nhref=x>", {"start 8:a\nhref=x"}, 0},
      {"x</a>", {"text:x", "end 8:/a"}, 0},
      {"<img src=a.gif><visit href=b>", {"start 24:img src=a.gif", "start 62:visit href=b"}, 0},
      {"<a title='a>b'>", {"start 8:a title='a", "text:b'>"}, 0},
      {"<br/>", {"start -1:br/"}, 0},
      {"<x-custom>", {"start -1:x-custom"}, 0},
  };
  for (const ScanCase& c : cases) {
    Scan scan = ScanOf(c.page);
    EXPECT_EQ(scan.tokens, c.tokens) << c.page;
    EXPECT_EQ(scan.looksLikeHtml, c.looksLikeHtml) << c.page;
  }
}

TEST(ScanHtml, EmptyAndNullPagesGiveNoTokens) {
  int looks = -1;
  EXPECT_EQ(ScanHtml("", &looks), nullptr);
  EXPECT_EQ(looks, 0);
  looks = -1;
  EXPECT_EQ(ScanHtml(nullptr, &looks), nullptr);
  EXPECT_EQ(looks, 0);
  EXPECT_EQ(ScanHtml("<title>", nullptr)->tagId, tag_id::kTitle);
}

TEST(ScanHtml, SourcePositionsPointIntoThePage) {
  const std::string page = "x<b>y<!-- c --></a>";
  HtmlTokenPtr head = ScanHtml(page.c_str(), nullptr);
  std::vector<std::size_t> positions;
  for (const HtmlToken* token = head.get(); token != nullptr; token = token->next.get()) {
    positions.push_back(static_cast<std::size_t>(token->sourcePosition - page.c_str()));
  }
  // The text's first character; the character after each "<".
  EXPECT_EQ(positions, (std::vector<std::size_t>{0, 2, 4, 6, 16}));
  EXPECT_EQ(page, "x<b>y<!-- c --></a>");
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
  HtmlTokenPtr head = ScanHtml("a<b>c", nullptr);
  HtmlTokenPtr rest = FreeHtmlToken(std::move(head));
  ASSERT_NE(rest, nullptr);
  EXPECT_EQ(rest->tagId, tag_id::kIgnored);
  rest = FreeHtmlToken(std::move(rest));
  ASSERT_NE(rest, nullptr);
  EXPECT_EQ(*rest->text, "c");
  EXPECT_EQ(FreeHtmlToken(std::move(rest)), nullptr);
  EXPECT_EQ(FreeHtmlToken(nullptr), nullptr);
}

}  // namespace
}  // namespace corvisant
