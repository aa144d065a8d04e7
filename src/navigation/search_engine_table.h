// The search services whose result pages the search-engine rider knows, and how it recognises a
// result page by its URL: an ordered table of URL prefixes, each naming its engine, some with an
// extra test of the URL. The hosts of the prefixes are configuration data: the services' own
// hosts of their time.
#pragma once

#include <cstddef>
#include <string_view>

namespace corvisant {

// The engines by their numbers; an engine number chooses the link rule and the next-page rule.
namespace search_engine {
constexpr int kExcite = 1;
constexpr int kAolNetFind = 2;
constexpr int kAltaVista = 3;
constexpr int kHotBot = 4;
constexpr int kInfoseek = 5;
constexpr int kInfoseekTopics = 6;
constexpr int kInfoseekJapan = 7;
constexpr int kInfoseekFrance = 8;
constexpr int kInfoseekItaly = 9;
constexpr int kInfoseekUk = 10;
constexpr int kLycos = 11;
constexpr int kWebCrawler = 12;
constexpr int kYahoo = 13;
constexpr int kGalaxy = 14;
constexpr int kMagellan = 15;
constexpr int kExciteDirectory = 16;
constexpr int kAolGuides = 17;
constexpr int kLookSmart = 18;
constexpr int kWebDirectory = 19;
constexpr int kCount = 19;
}  // namespace search_engine

// The extra test some entries make of a URL that has their prefix.
enum class ResultPageTest {
  kNone,
  // A query key "tid=".
  kTidKey,
  // At least two digits, and nothing else, between the URL's last "/" and its "?".
  kDigitSegment,
};

struct SearchEngineEntry {
  // "http://", a host and a path; compared byte-wise, case-sensitive.
  const char* prefix;
  int engine;
  ResultPageTest test;
};

constexpr std::size_t kSearchEngineEntryCount = 75;
extern const SearchEngineEntry kSearchEngineTable[kSearchEngineEntryCount];

// The first entry whose prefix begins url and whose test, if any, accepts it; null when url is
// no result page of a known engine.
const SearchEngineEntry* SearchEngineEntryOf(std::string_view url);

}  // namespace corvisant
