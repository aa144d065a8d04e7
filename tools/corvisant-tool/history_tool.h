// What the history, list, export and hotlist commands share: their argument parsing, the
// printing of entries, and the opening of the history or of a list pair named on the command
// line. Each command opens its files with a table of its own, so that commands run one after
// another in one process (the tool's tests) never meet another store root's streams.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "common/times.h"
#include "history/history_file.h"
#include "history/open_files.h"
#include "history/url_list.h"
#include "platform/ports.h"
#include "tools/corvisant-tool/printing.h"
#include "tools/corvisant-tool/tool.h"
#include "url/page_store.h"
#include "url/store_names.h"

namespace corvisant::tool::history {

constexpr std::string_view kHistorySource = "history";
constexpr int kDefaultSpendSeconds = 20;

// Titles, URLs and names as the commands print them.
inline std::string Printable(std::string_view text) { return HexEscaped(text); }

inline bool ParseNumber(std::string_view text, long long* value) {
  std::string copy(text);
  if (copy.empty()) return false;
  char* end = nullptr;
  errno = 0;
  *value = std::strtoll(copy.c_str(), &end, 10);
  return errno == 0 && *end == '\0';
}

// Positional words and "--name value" / "--flag" options, in any order.
struct ParsedArguments {
  std::vector<std::string_view> words;
  std::map<std::string_view, std::string_view> options;
  bool ok = true;

  bool Has(std::string_view option) const { return options.count(option) != 0; }
  bool Number(std::string_view option, long long fallback, long long* value) const {
    auto found = options.find(option);
    if (found == options.end()) {
      *value = fallback;
      return true;
    }
    return ParseNumber(found->second, value);
  }
};

inline ParsedArguments Parse(const Arguments& arguments,
                             std::initializer_list<std::string_view> valued,
                             std::initializer_list<std::string_view> flags) {
  ParsedArguments parsed;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view word = arguments[i];
    if (word.substr(0, 2) != "--") {
      parsed.words.push_back(word);
    } else if (std::find(flags.begin(), flags.end(), word) != flags.end()) {
      parsed.options[word] = "";
    } else if (std::find(valued.begin(), valued.end(), word) != valued.end() &&
               i + 1 < arguments.size()) {
      parsed.options[word] = arguments[++i];
    } else {
      parsed.ok = false;
    }
  }
  return parsed;
}

inline int Usage(Context& context, const char* words) {
  std::fprintf(context.err, "usage: corvisant-tool %s\n", words);
  return kExitUsage;
}

inline int Failed(Context& context, const std::string& what) {
  std::fprintf(context.err, "corvisant-tool: %s\n", Printable(what).c_str());
  return kExitNothing;
}

// The store root and the data directories the history needs, as start-up makes them.
inline void PrepareHistoryStore() {
  Files& files = *CurrentPorts().files;
  SetStoreRoot(files.CurrentDirectory());
  EnsureDirectory("", kDatabaseDirectory, true);
  for (const char* directory : {kHistoryDirectory, kHotlistDirectory}) {
    EnsureDirectory(kDatabaseDirectory, directory, true);
  }
}

// The history or the pair BASE.urli/BASE.urld, opened with the command's own table.
class ListSource {
 public:
  // createPair: a missing pair is made (empty) rather than refused.
  bool Open(std::string_view source, bool createPair) {
    PrepareHistoryStore();
    if (source == kHistorySource) {
      auto history = std::make_unique<HistoryFile>(table_);
      bool opened = history->OpenHistory();
      history_ = history.get();
      list_ = std::move(history);
      return opened;
    }
    std::string base(source);
    auto list = std::make_unique<UrlList>(table_);
    std::string index = base + ".urli";
    std::string data = base + ".urld";
    bool exists = CurrentPorts().files->Kind(index) == PathKind::kFile;
    bool opened =
        exists ? list->OpenUrlList(index, data) : createPair && list->CreateUrlList(index, data);
    pair_ = list.get();
    list_ = std::move(list);
    return opened;
  }
  UrlListFile& list() { return *list_; }
  HistoryFile* history() { return history_; }
  UrlList* pair() { return pair_; }

 private:
  // Declared first: the list's streams go before the table's.
  OpenFilesTable table_;
  std::unique_ptr<UrlListFile> list_;
  HistoryFile* history_ = nullptr;
  UrlList* pair_ = nullptr;
};

// "I<TAB>T<TAB>URL<TAB>TITLE" for each readable entry of the range, I counted in the chosen
// order.
inline void PrintEntries(Context& context, UrlListFile& list, bool oldestFirst, long long first,
                         long long count) {
  long long total = list.Count();
  long long end = count < 0 ? total : std::min(total, first + count);
  for (long long i = std::max(first, 0LL); i < end; ++i) {
    int position = static_cast<int>(i);
    HistoryEntryPtr entry =
        oldestFirst ? list.ReadEntryFromOldest(position) : list.ReadEntryFromNewest(position);
    if (!entry) continue;
    std::fprintf(context.out, "%lld\t%lld\t%s\t%s\n", i, static_cast<long long>(entry->time),
                 Printable(entry->url).c_str(), Printable(entry->title).c_str());
  }
}

}  // namespace corvisant::tool::history
