// What the history, list, export and hotlist commands share: the printing of entries, and the
// opening of the history or of a list pair named on the command line, over the store that the
// command's run has open.
#pragma once

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "history/history_file.h"
#include "history/open_files.h"
#include "history/url_list.h"
#include "platform/ports.h"
#include "tools/corvisant-tool/arguments.h"
#include "url/page_store.h"

namespace corvisant::tool::history {

constexpr std::string_view kHistorySource = "history";
constexpr int kDefaultSpendSeconds = 20;

// The store root and the data directories the history needs, as start-up makes them.
inline void PrepareHistoryStore() {
  EnsureDirectory("", kDatabaseDirectory, true);
  for (const char* directory : {kHistoryDirectory, kHotlistDirectory}) {
    EnsureDirectory(kDatabaseDirectory, directory, true);
  }
}

// The history or the pair BASE.urli/BASE.urld. The pair shares the store's open-files table, as
// the program's URL list windows do.
class ListSource {
 public:
  explicit ListSource(Context& context) : context_(context) {}

  // createPair: a missing pair is made (empty) rather than refused.
  bool Open(std::string_view source, bool createPair) {
    PrepareHistoryStore();
    if (source == kHistorySource) {
      history_ = context_.process->History();
      list_ = history_;
      return history_ != nullptr;
    }
    std::string base(source);
    pair_ = std::make_unique<UrlList>(*Current<OpenFilesTable>());
    list_ = pair_.get();
    std::string index = base + ".urli";
    std::string data = base + ".urld";
    bool exists = Current<Files>()->Kind(index) == PathKind::kFile;
    return exists ? pair_->OpenUrlList(index, data)
                  : createPair && pair_->CreateUrlList(index, data);
  }
  UrlListFile& list() { return *list_; }
  HistoryFile* history() { return history_; }
  UrlList* pair() { return pair_.get(); }

 private:
  Context& context_;
  std::unique_ptr<UrlList> pair_;
  UrlListFile* list_ = nullptr;
  HistoryFile* history_ = nullptr;
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
