#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/html_scanner.h"
#include "navigation/next_result_page.h"
#include "navigation/result_links.h"
#include "navigation/search_engine_table.h"
#include "navigation/search_query.h"

namespace corvisant {
namespace {

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : " ") + text;
  return joined;
}

TEST(SearchEngineTable, HoldsTheNineteenEnginesInTheirOrderWithTheirEntryCounts) {
  std::string runs;
  for (std::size_t i = 0, first = 0; i < kSearchEngineEntryCount; ++i) {
    const SearchEngineEntry& entry = kSearchEngineTable[i];
    if (i + 1 < kSearchEngineEntryCount && kSearchEngineTable[i + 1].engine == entry.engine)
      continue;
    runs += std::to_string(entry.engine) + "x" + std::to_string(i + 1 - first) + " ";
    first = i + 1;
  }
  EXPECT_EQ(
      runs,
      "1x9 2x2 3x6 4x3 5x5 7x2 6x2 8x1 9x1 10x1 11x10 12x2 13x18 14x2 15x1 16x2 17x5 18x2 19x1 ");
}

TEST(SearchEngineTable, RecognisesAResultPageByPrefixAndTest) {
  const struct {
    const char* url;
    int engine;
  } cases[] = {
      {"http://www.infoseek.co.jp/12?qt=x", 7},      {"http://www.infoseek.co.jp/1?qt=x", 0},
      {"http://www.infoseek.co.jp/12a?qt=x", 0},     {"http://www.infoseek.co.jp/12", 0},
      {"http://www.infoseek.co.jp/12?qt=a/b", 0},    {"http://www.infoseek.com/Titles?tid=1", 5},
      {"http://www.infoseek.com/x?a=1&tid=2", 6},    {"http://www.infoseek.com/x?atid=1", 0},
      {"HTTP://search.excite.com/search.gw?s=x", 0}, {"http://search.excite.com/search.gw", 0},
      {"http://www.excite.com/xdr/x.html", 16},      {"http://www.excite.com/search.gw?s=x", 1},
  };
  for (const auto& c : cases) {
    const SearchEngineEntry* entry = SearchEngineEntryOf(c.url);
    EXPECT_EQ(entry ? entry->engine : 0, c.engine) << c.url;
  }
}

TEST(SearchQuery, ReadsValuesWhereTheKeyFollowsAQueryMark) {
  const struct {
    const char* url;
    const char* key;
    const char* value;  // "-": absent
  } cases[] = {
      {"http://h/p?search=cats&x=1", "search=", "cats"},
      {"http://h/p?research=x&search=y", "search=", "y"},
      {"http://h/p?a=1&s=", "s=", ""},
      {"http://h/p?q=a%20b+c", "q=", "a%20b+c"},
      {"http://h/p?x=1", "search=", "-"},
      {"search=x", "search=", "-"},
      {"http://h/p&tid=3", "tid=", "3"},
  };
  for (const auto& c : cases) EXPECT_EQ(QueryValue(c.url, c.key).value_or("-"), c.value) << c.url;
  EXPECT_EQ(QueryNumber("http://h/?st=25x", "st=", 7), 25);
  EXPECT_EQ(QueryNumber("http://h/?st=", "st=", 7), 0);
  EXPECT_EQ(QueryNumber("http://h/?s=1", "st=", 7), 7);
  EXPECT_EQ(QueryNumber("http://h/?st=-5", "st=", 7), -5);
  EXPECT_EQ(QueryNumber("http://h/?st=99999999999999999999999", "st=", 7), 1000000000000LL)
      << "held far inside the range of the next page's sums";
}

// One row per engine: a URL of its result pages, a small result page, its results, and its next
// page with the fewest results that page needs.
TEST(SearchEngineRules, PickEachEnginesResultsAndBuildItsNextPage) {
  const struct {
    int engine;
    const char* url;
    const char* page;
    const char* links;
    const char* next;  // the next page's URL and the results its page needs; empty: none
  } cases[] = {
      {1, "http://search.excite.com/search.gw?search=cats&perPage=20&start=40",
       "<p>URL: <b>http://a.t/1\r\nx</b><p>http://a.t/no<p>URL: <i>none</i> then http://a.t/2",
       "http://a.t/1 http://a.t/2",
       "http://search.excite.com/search.gw?look=default&collection=web&search=cats&start=60&"
       "showSummary=true&perPage=20 20"},
      {2, "http://netfind.aol.com/search.gw?s=dogs&lk=aol&c=web",
       "<A HREF=\"http://b.t/1\">1</A><A HREF=\"http://b.t/t\">URL: <A HREF=\"http://b.t/2\">u</A>"
       "<a href=http://b.t/low>",
       "http://b.t/1 http://b.t/2",
       "http://netfind.aol.com/search.gw?lk=aol&c=web&s=dogs&start=10&showSummary=true&perPage=10 "
       "10"},
      {2, "http://search.aol.com/search.gw?search=cats&perPage=20&start=40", "", "",
       "http://search.aol.com/search.gw?look=netfind&collection=web&search=cats&start=60&"
       "showSummary=true&perPage=20 20"},
      {3, "http://altavista.digital.com/cgi-bin/query?pg=q&q=cats&navig20.x=5&stq=20",
       "<b>http://c.t/1 more</b> see http://c.t/2", "http://c.t/1 http://c.t/2",
       "http://altavista.digital.com/cgi-bin/query?pg=q&stq=30&what=web&kl=XX&q=cats&"
       "navig30.x=10&navig30.y=10 10"},
      {3, "http://www.altavista.telia.com/cgi-bin/telia?q=x&kl=sv&next.x=1", "", "",
       "http://www.altavista.telia.com/cgi-bin/telia?pg=q&stq=10&what=web&kl=sv&q=x&next.x=33&"
       "next.y=8 10"},
      {3, "http://www.altavista.com/cgi-bin/query?q=x&navig190.x=1", "", "", ""},
      {4, "http://www.hotbot.com/?MT=ca^ts&SM=MC&DC=25&DE=2&act.next.x=1&base=25&RG=all&_v=2",
       "<TD  width=\"20\" align=\"left\"><A HREF=\"/go/1.html\">x</A><td><a href=http://d.t/no>"
       "<TD  width=\"20\" align=\"left\"><a href=http://d.t/2>",
       "http://www.hotbot.com/go/1.html http://d.t/2",
       "http://www.hotbot.com/?MT=ca?ts&SM=MC&DE=2&DC=25&base=50&RG=all&_v=2&act.next.x=10&"
       "act.next.y=10 25"},
      {5, "http://www.infoseek.com/Titles?qt=cats&sv=IS&lk=noframes&st=10", "http://e.t/1",
       "http://e.t/1", "http://www.infoseek.com/Titles?qt=cats&sv=IS&lk=noframes&st=20 0"},
      {6, "http://www.infoseek.com/Topic?tid=123&lk=x&st=20", "<b>http://f.t/1 x</b>",
       "http://f.t/1", "http://www.infoseek.com/Topic?tid=123&rf=5&lk=x&st=30 0"},
      {7, "http://www.infoseek.co.jp/12345?sn=2&col=WW",
       "<a href=http://g.t/1>a</a><img src=file_red.gif><img src=file_red.gif><a href=http://g.t/2>"
       "<img src=x.gif><img src=file_red.gif><a href=/r><img src=file_red.gif>",
       "http://g.t/1 http://g.t/1",
       "http://www.infoseek.co.jp/12345?tid=12345&sn=2&col=WW&st=10 0"},
      {8, "http://www.club-internet.fr/infoseek/r.html", "http://h.t/1", "http://h.t/1", ""},
      {9, "http://www.iol.it/infoseek/r.html?q=x",
       "<a href=/cgi/go?1>a</a><a href=/other>b</a><a href=p2.html><b>Successiva</b>",
       "http://www.iol.it/cgi/go?1", "http://www.iol.it/infoseek/p2.html 0"},
      {10, "http://www.infoseek.co.uk/infosk/r",
       "<a href=/infosk/owa/pkg_utils.p_jump?u=1>a</a><a href=n2> Next Page</a>",
       "http://www.infoseek.co.uk/infosk/owa/pkg_utils.p_jump?u=1",
       "http://www.infoseek.co.uk/infosk/n2 0"},
      {11, "http://www.lycos.com/cgi-bin/pursuit?query=cats&first=11&cat=lycos",
       "<a href=http://i.t/1>t</a> http://i.t/1 <a href=http://i.t/2>u</a><a href=http://i.t/3>v"
       "</a> http://i.t/3 <p>http://again",
       "http://i.t/1 http://i.t/3",
       "http://www.lycos.com/cgi-bin/pursuit?first=21&cat=lycos&query=cats 10"},
      {12, "http://www.webcrawler.com/cgi-bin/WebQuery?text=dogs&offset=25",
       "<b>87% </b><a href=/r1>x</a><a href=http://j.t/no>52% <a href=http://j.t/2>",
       "/r1 http://j.t/2",
       "http://www.webcrawler.com/cgi-bin/WebQuery?text=dogs&src=wc_more&offset=50 25"},
      {13, "http://search.yahoo.com/bin/search?p=x",
       "<a href=http://k.t/0><ul><li><a href=http://k.t/1><a href=/rel><ul><a href=http://k.t/2>"
       "</ul><a href=http://k.t/3>",
       "http://k.t/1 http://k.t/2", ""},
      {14, "http://www.einet.net/galaxy/Science.html",
       "<dt><a href=http://l.t/1><dd><a href=http://l.t/no><dt><a href=/rel>", "http://l.t/1", ""},
      {15, "http://www.mckinley.com/magellan/Reviews/Science/index.html",
       "Review:<a href=http://m.t/1> <b>Review:</b> <a href=http://m.t/2><a href=http://m.t/no>",
       "http://m.t/1 http://m.t/2", ""},
      {16, "http://www.excite.com/xdr/Science/",
       "<img src=\"/xdr/Images/lep.gif\"><a href=http://n.t/1><a href=http://n.t/no><ul>"
       "<a href=http://n.t/2></ul><a href=http://n.t/3>",
       "http://n.t/1 http://n.t/2", ""},
      {17, "http://www.aol.com/netchannels/science.html",
       "Editor's Reviews<table><td><a href=reviews.x><a href=a1.html></table><a href=http://o.t/o>"
       "Our Favorites<a href=http://o.t/2></table>Additional Sites<table></table><a "
       "href=http://o.t/3>",
       "http://www.aol.com/netchannels/a1.html http://o.t/2 http://o.t/3", ""},
      {18, "http://www.looksmart.com/r?page=/x",
       "<strong>1</strong><a href=http://p.t/1><a href=http://p.t/no><strong><a href=/rel>",
       "http://p.t/1", ""},
      {19, "http://dmoz.org/Science/", "<a href=http://q.t/1>no list, no results</a>", "", ""},
  };
  for (const auto& c : cases) {
    const SearchEngineEntry* entry = SearchEngineEntryOf(c.url);
    ASSERT_NE(entry, nullptr) << c.url;
    EXPECT_EQ(entry->engine, c.engine) << c.url;
    HtmlTokenPtr tags = ScanHtml(c.page, nullptr);
    EXPECT_EQ(Joined(ResultLinks(entry->engine, c.url, tags.get())), c.links) << c.url;
    NextResultPage next = NextPageOf(*entry, c.url, tags.get());
    EXPECT_EQ(next.url ? *next.url + " " + std::to_string(next.minLinks) : "", c.next) << c.url;
  }
}

}  // namespace
}  // namespace corvisant
