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
#include "history/record_walk.h"
#include "history/url_list.h"
#include "platform/message_ids.h"
#include "platform/ports.h"
#include "platform/report.h"
#include "tools/corvisant-tool/arguments.h"
#include "url/page_store.h"

namespace corvisant::tool::history {

constexpr std::string_view kHistorySource = "history";
constexpr int kDefaultSpendSeconds = 20;
constexpr std::string_view kCreateIndexMode = "ab";

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
    Files& files = *Current<Files>();
    if (files.Kind(index) != PathKind::kFile) {
      // Made by an append open, which never empties an index that another process made first.
      if (!createPair || files.Open(index, kCreateIndexMode) == nullptr) return false;
    }
    return pair_->OpenUrlList(index, base + ".urld");
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
// order; a count below 0 means every entry from first on. The index is read a block at a time,
// the list's lock held only for each block: a listing that waits on its reader (a pipe) holds up
// no process that records visits.
inline void PrintEntries(Context& context, UrlListFile& list, bool oldestFirst, long long first,
                         long long count) {
  first = std::max(first, 0LL);
  RecordCount end = count < 0 || count > kAllRecords - first ? kAllRecords : first + count;
  RecordWalk walk(list, oldestFirst, first, end);
  RecordCount i;
  while (HistoryEntryPtr entry = walk.NextEntry(&i)) {
    std::fprintf(context.out, "%lld\t%lld\t%s\t%s\n", static_cast<long long>(i),
                 static_cast<long long>(entry->time), Printable(entry->url).c_str(),
                 Printable(entry->title).c_str());
  }
}

// A write of the list that failed: the file is reported as one that cannot be made (40005),
// the message's text printed by the tool's reporter.
inline int FailedWrite(const UrlListFile& list) {
  Report(kReportNonFatal, kReportNeverCloses, message::kCantCreateFile, {list.failedWrite()});
  return kExitNothing;
}

}  // namespace corvisant::tool::history
