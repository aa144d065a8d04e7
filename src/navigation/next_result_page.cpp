#include "navigation/next_result_page.h"

#include <initializer_list>

#include "navigation/result_page_reading.h"
#include "navigation/search_query.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

using namespace search_engine;

// The results an Excite page shows when its URL does not say.
constexpr long long kExcitePerPage = 10;
// AltaVista: the results of a page, and the page buttons "navig0" to "navig190".
constexpr long long kAltaVistaPage = 10;
constexpr int kLastAltaVistaButton = 190;
constexpr int kAltaVistaButtonStep = 10;
constexpr long long kHotBotPage = 10;
constexpr long long kInfoseekPage = 10;
constexpr long long kLycosPage = 10;
constexpr long long kWebCrawlerPage = 25;

void Append(std::string& out, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) out.append(part);
}

// key and its value, with the texts around them, when url has the key.
void AppendPresent(std::string& out, std::string_view url, std::string_view key,
                   std::string_view before, std::string_view after) {
  if (std::optional<std::string_view> value = QueryValue(url, key)) {
    Append(out, {before, key, *value, after});
  }
}

NextResultPage Built(std::string url, long long minLinks) {
  NextResultPage next;
  next.url = std::move(url);
  next.minLinks = minLinks;
  return next;
}

NextResultPage ExciteFamily(const SearchEngineEntry& entry, std::string_view url) {
  std::optional<std::string_view> search = QueryValue(url, "search=");
  std::optional<std::string_view> shortSearch = search ? std::nullopt : QueryValue(url, "s=");
  if (!search && !shortSearch) return {};
  std::optional<std::string_view> collection = QueryValue(url, "c=");
  std::optional<std::string_view> lk = QueryValue(url, "lk=");
  std::optional<std::string_view> look = QueryValue(url, "look=");
  long long perPage = QueryNumber(url, "perPage=", kExcitePerPage);
  std::string start = std::to_string(perPage + QueryNumber(url, "start=", 0));
  std::string next = entry.prefix;
  if (lk) {
    Append(next, {"lk=", *lk});
  } else {
    Append(next, {"look=", look ? *look : entry.engine == kAolNetFind ? "netfind" : "default"});
  }
  if (collection) {
    Append(next, {"&c=", *collection, "&"});
  } else {
    next += "&collection=web&";
  }
  Append(next, {search ? "search=" : "s=", search ? *search : *shortSearch});
  std::string_view summary = QueryValue(url, "showSummary=").value_or("true");
  Append(next, {"&start=", start, "&showSummary=", summary, "&perPage=", std::to_string(perPage)});
  return Built(std::move(next), perPage);
}

std::string AltaVistaButton(int number) { return "navig" + std::to_string(number); }

NextResultPage AltaVista(const SearchEngineEntry& entry, std::string_view url) {
  std::optional<std::string_view> query = QueryValue(url, "q=");
  if (!query || QueryValue(url, AltaVistaButton(kLastAltaVistaButton) + ".x=")) return {};
  std::string button;
  for (int number = 0; number < kLastAltaVistaButton && button.empty();
       number += kAltaVistaButtonStep) {
    if (QueryValue(url, AltaVistaButton(number) + ".x=")) {
      button = AltaVistaButton(number + kAltaVistaButtonStep);
    }
  }
  long long start = 0;
  if (QueryValue(url, "stq=")) {
    start = QueryNumber(url, "stq=", 0) + kAltaVistaPage;
  } else if (QueryValue(url, "next.x=")) {
    start = kAltaVistaPage;
  }
  std::string next = entry.prefix;
  next += "pg=q&";
  if (start != 0) Append(next, {"stq=", std::to_string(start), "&"});
  Append(next, {"what=web&kl=", QueryValue(url, "kl=").value_or("XX"), "&q=", *query});
  if (button.empty()) {
    next += "&next.x=33&next.y=8";
  } else {
    Append(next, {"&", button, ".x=10&", button, ".y=10"});
  }
  return Built(std::move(next), kAltaVistaPage);
}

NextResultPage HotBot(const SearchEngineEntry& entry, std::string_view url) {
  long long perPage = QueryNumber(url, "DC=", kHotBotPage);
  std::optional<std::string_view> terms = QueryValue(url, "MT=");
  if (!terms) return {};
  std::string next = entry.prefix;
  Append(next, {"MT=", *terms, "&"});
  for (std::string_view key : {"SM=", "WTS=", "DE="}) AppendPresent(next, url, key, "", "&");
  if (QueryValue(url, "DC=").value_or("10") != "10") AppendPresent(next, url, "DC=", "", "&");
  if (QueryValue(url, "act.next.x=")) {
    Append(next, {"base=", std::to_string(perPage + QueryNumber(url, "base=", 0)), "&"});
  }
  for (std::string_view key : {"RG=", "_v="}) AppendPresent(next, url, key, "", "&");
  next += "act.next.x=10&act.next.y=10";
  UnmapStoreChars(next);
  return Built(std::move(next), perPage);
}

std::string InfoseekStart(std::string_view url) {
  return std::to_string(QueryNumber(url, "st=", 0) + kInfoseekPage);
}

std::string UpToQuery(std::string_view url) {
  return std::string(url.substr(0, url.find('?') + 1));
}

NextResultPage Infoseek(const SearchEngineEntry& entry, std::string_view url) {
  std::optional<std::string_view> terms = QueryValue(url, "qt=");
  if (!terms) return {};
  std::string next = entry.prefix;
  Append(next, {"qt=", *terms, "&"});
  for (std::string_view key : {"sv=", "lk="}) AppendPresent(next, url, key, "", "&");
  Append(next, {"st=", InfoseekStart(url)});
  return Built(std::move(next), 0);
}

NextResultPage InfoseekTopics(const SearchEngineEntry&, std::string_view url) {
  std::optional<std::string_view> topic = QueryValue(url, "tid=");
  if (!topic) return {};
  std::string next = UpToQuery(url);
  Append(next, {"tid=", *topic, "&rf=5&"});
  AppendPresent(next, url, "lk=", "", "&");
  Append(next, {"st=", InfoseekStart(url)});
  return Built(std::move(next), 0);
}

NextResultPage InfoseekJapan(const SearchEngineEntry&, std::string_view url) {
  std::optional<std::string_view> segment = DigitSegment(url);
  if (!segment) return {};
  std::string next = UpToQuery(url);
  Append(next, {"tid=", *segment, "&"});
  for (std::string_view key : {"sn=", "lk=", "col="}) AppendPresent(next, url, key, "", "&");
  Append(next, {"st=", InfoseekStart(url)});
  return Built(std::move(next), 0);
}

// The page names its next page with an anchor whose text says so.
NextResultPage LinkedNextPage(std::string_view url, const HtmlToken* tags, std::string_view label) {
  for (const HtmlToken* token = tags; token != nullptr; token = token->next.get()) {
    std::optional<std::string> href = AnchorHref(*token);
    if (!href) continue;
    const HtmlToken* text = token->next.get();
    while (text != nullptr && TextOf(*text) == nullptr) text = text->next.get();
    if (text != nullptr && *TextOf(*text) == label) {
      std::string next = ResolvedLink(*href, url);
      if (!next.empty()) return Built(std::move(next), 0);
    }
  }
  return {};
}

NextResultPage InfoseekItaly(const SearchEngineEntry&, std::string_view url,
                             const HtmlToken* tags) {
  return LinkedNextPage(url, tags, "Successiva");
}

NextResultPage InfoseekUk(const SearchEngineEntry&, std::string_view url, const HtmlToken* tags) {
  return LinkedNextPage(url, tags, " Next Page");
}

NextResultPage Lycos(const SearchEngineEntry& entry, std::string_view url) {
  std::string next = entry.prefix;
  Append(next, {"first=", std::to_string(QueryNumber(url, "first=", 0) + kLycosPage)});
  for (std::string_view key : {"part=", "cat=", "query=", "matchmode="}) {
    AppendPresent(next, url, key, "&", "");
  }
  UnmapStoreChars(next);
  return Built(std::move(next), kLycosPage);
}

NextResultPage WebCrawler(const SearchEngineEntry& entry, std::string_view url) {
  std::optional<std::string_view> text = QueryValue(url, "searchText=");
  if (!text) text = QueryValue(url, "text=");
  if (!text) return {};
  std::string offset = std::to_string(QueryNumber(url, "offset=", 0) + kWebCrawlerPage);
  std::string next = entry.prefix;
  Append(next, {"text=", *text, "&src=wc_more&offset=", offset});
  UnmapStoreChars(next);
  return Built(std::move(next), kWebCrawlerPage);
}

struct NextPageRule {
  int engine;
  NextResultPage (*fromUrl)(const SearchEngineEntry& entry, std::string_view url);
  NextResultPage (*fromPage)(const SearchEngineEntry& entry, std::string_view url,
                             const HtmlToken* tags);
};

// The engines without a line have no next page: their runs end with the first page's results.
constexpr NextPageRule kNextPageRules[] = {
    {kExcite, ExciteFamily, nullptr},         {kAolNetFind, ExciteFamily, nullptr},
    {kAltaVista, AltaVista, nullptr},         {kHotBot, HotBot, nullptr},
    {kInfoseek, Infoseek, nullptr},           {kInfoseekTopics, InfoseekTopics, nullptr},
    {kInfoseekJapan, InfoseekJapan, nullptr}, {kInfoseekItaly, nullptr, InfoseekItaly},
    {kInfoseekUk, nullptr, InfoseekUk},       {kLycos, Lycos, nullptr},
    {kWebCrawler, WebCrawler, nullptr},
};

}  // namespace

NextResultPage NextPageOf(const SearchEngineEntry& entry, std::string_view url,
                          const HtmlToken* tags) {
  for (const NextPageRule& rule : kNextPageRules) {
    if (rule.engine != entry.engine) continue;
    return rule.fromUrl != nullptr ? rule.fromUrl(entry, url) : rule.fromPage(entry, url, tags);
  }
  return {};
}

}  // namespace corvisant
