#include "navigation/search_engine_table.h"

#include "navigation/search_query.h"
#include "url/text_helpers.h"

namespace corvisant {

using namespace search_engine;

// In the order the entries are tried. The Infoseek entries run 5, 7, 6: a Japanese result page
// (digits before its "?") is told from a topic page of the same service before the "tid=" test.
const SearchEngineEntry kSearchEngineTable[] = {
    {"http://search.excite.com/search.gw?", kExcite, ResultPageTest::kNone},
    {"http://www.excite.com/search.gw?", kExcite, ResultPageTest::kNone},
    {"http://excite.com/search.gw?", kExcite, ResultPageTest::kNone},
    {"http://www.excite.co.uk/search.gw?", kExcite, ResultPageTest::kNone},
    {"http://www.excite.fr/search.gw?", kExcite, ResultPageTest::kNone},
    {"http://www.excite.de/search.gw?", kExcite, ResultPageTest::kNone},
    {"http://www.excite.it/search.gw?", kExcite, ResultPageTest::kNone},
    {"http://www.excite.nl/search.gw?", kExcite, ResultPageTest::kNone},
    {"http://www.excite.co.jp/search.gw?", kExcite, ResultPageTest::kNone},
    {"http://netfind.aol.com/search.gw?", kAolNetFind, ResultPageTest::kNone},
    {"http://search.aol.com/search.gw?", kAolNetFind, ResultPageTest::kNone},
    {"http://altavista.digital.com/cgi-bin/query?", kAltaVista, ResultPageTest::kNone},
    {"http://www.altavista.digital.com/cgi-bin/query?", kAltaVista, ResultPageTest::kNone},
    {"http://www.altavista.com/cgi-bin/query?", kAltaVista, ResultPageTest::kNone},
    {"http://altavista.yellowpages.com.au/cgi-bin/query?", kAltaVista, ResultPageTest::kNone},
    {"http://www.altavista.magallanes.net/cgi-bin/query?", kAltaVista, ResultPageTest::kNone},
    {"http://www.altavista.telia.com/cgi-bin/telia?", kAltaVista, ResultPageTest::kNone},
    {"http://www.hotbot.com/?", kHotBot, ResultPageTest::kNone},
    {"http://www.goo.ne.jp/?", kHotBot, ResultPageTest::kNone},
    {"http://www.search.hotbot.com/hResult.html/?", kHotBot, ResultPageTest::kNone},
    {"http://www.infoseek.com/Titles?", kInfoseek, ResultPageTest::kNone},
    {"http://infoseek.com/Titles?", kInfoseek, ResultPageTest::kNone},
    {"http://guide.infoseek.com/Titles?", kInfoseek, ResultPageTest::kNone},
    {"http://guide-p.infoseek.com/Titles?", kInfoseek, ResultPageTest::kNone},
    {"http://ultra.infoseek.com/Titles?", kInfoseek, ResultPageTest::kNone},
    {"http://www.infoseek.co.jp/", kInfoseekJapan, ResultPageTest::kDigitSegment},
    {"http://infoseek.co.jp/", kInfoseekJapan, ResultPageTest::kDigitSegment},
    {"http://www.infoseek.com/", kInfoseekTopics, ResultPageTest::kTidKey},
    {"http://guide.infoseek.com/", kInfoseekTopics, ResultPageTest::kTidKey},
    {"http://www.club-internet.fr/infoseek/", kInfoseekFrance, ResultPageTest::kNone},
    {"http://www.iol.it/infoseek/", kInfoseekItaly, ResultPageTest::kNone},
    {"http://www.infoseek.co.uk/infosk/", kInfoseekUk, ResultPageTest::kNone},
    {"http://www.lycos.com/cgi-bin/pursuit?", kLycos, ResultPageTest::kNone},
    {"http://lycos.com/cgi-bin/pursuit?", kLycos, ResultPageTest::kNone},
    {"http://query.lycos.com/cgi-bin/pursuit?", kLycos, ResultPageTest::kNone},
    {"http://www.lycos.cs.cmu.edu/cgi-bin/pursuit?", kLycos, ResultPageTest::kNone},
    {"http://www.lycos.co.uk/cgi-bin/pursuit?", kLycos, ResultPageTest::kNone},
    {"http://www.lycos.de/cgi-bin/pursuit?", kLycos, ResultPageTest::kNone},
    {"http://www.lycos.fr/cgi-bin/pursuit?", kLycos, ResultPageTest::kNone},
    {"http://www.lycos.it/cgi-bin/pursuit?", kLycos, ResultPageTest::kNone},
    {"http://www.lycos.nl/cgi-bin/pursuit?", kLycos, ResultPageTest::kNone},
    {"http://www.lycos.se/cgi-bin/pursuit?", kLycos, ResultPageTest::kNone},
    {"http://www.webcrawler.com/cgi-bin/WebQuery?", kWebCrawler, ResultPageTest::kNone},
    {"http://webcrawler.com/cgi-bin/WebQuery?", kWebCrawler, ResultPageTest::kNone},
    {"http://search.yahoo.com/", kYahoo, ResultPageTest::kNone},
    {"http://www.yahoo.com/", kYahoo, ResultPageTest::kNone},
    {"http://yahoo.com/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.co.jp/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.co.uk/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.de/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.fr/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.ca/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.com.au/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.co.kr/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.com.sg/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.dk/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.no/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.se/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.it/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahoo.es/", kYahoo, ResultPageTest::kNone},
    {"http://search.chinese.yahoo.com/", kYahoo, ResultPageTest::kNone},
    {"http://search.yahooligans.com/", kYahoo, ResultPageTest::kNone},
    {"http://www.einet.net/galaxy/", kGalaxy, ResultPageTest::kNone},
    {"http://galaxy.einet.net/galaxy/", kGalaxy, ResultPageTest::kNone},
    {"http://www.mckinley.com/magellan/Reviews/", kMagellan, ResultPageTest::kNone},
    {"http://www.excite.com/xdr/", kExciteDirectory, ResultPageTest::kNone},
    {"http://excite.com/xdr/", kExciteDirectory, ResultPageTest::kNone},
    {"http://netfind.aol.com/aol/Reviews/", kAolGuides, ResultPageTest::kNone},
    {"http://search.aol.com/aol/Reviews/", kAolGuides, ResultPageTest::kNone},
    {"http://www.aol.com/netchannels/", kAolGuides, ResultPageTest::kNone},
    {"http://netfind.aol.com/aol/guide/", kAolGuides, ResultPageTest::kNone},
    {"http://search.aol.com/aol/guide/", kAolGuides, ResultPageTest::kNone},
    {"http://www.looksmart.com/r?", kLookSmart, ResultPageTest::kNone},
    {"http://looksmart.com/r?", kLookSmart, ResultPageTest::kNone},
    {"http://dmoz.org/", kWebDirectory, ResultPageTest::kNone},
};

namespace {

bool PassesTest(ResultPageTest test, std::string_view url) {
  switch (test) {
    case ResultPageTest::kNone:
      return true;
    case ResultPageTest::kTidKey:
      return QueryValue(url, "tid=").has_value();
    case ResultPageTest::kDigitSegment:
      return DigitSegment(url).has_value();
  }
  return false;
}

}  // namespace

const SearchEngineEntry* SearchEngineEntryOf(std::string_view url) {
  for (const SearchEngineEntry& entry : kSearchEngineTable) {
    if (StartsWith(url, entry.prefix) && PassesTest(entry.test, url)) return &entry;
  }
  return nullptr;
}

}  // namespace corvisant
