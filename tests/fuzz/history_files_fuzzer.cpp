// The list readers on damaged files: the input is split into an index file and a data file (its
// first byte says where), which are read through a URL list pair and, when the second byte is
// odd, as the history. Whatever the bytes, the readers must not crash, every entry they give
// back must be whole, both reading orders must agree, and appending afterwards must read back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "history/history_file.h"
#include "history/url_list.h"
#include "platform/ports.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

using corvisant::fuzzing::Check;

using namespace corvisant;

constexpr const char* kWorkDirectory = "history_fuzz_store";

void Write(Files& files, const std::string& path, const std::string& bytes) {
  StreamPtr stream = files.Open(path, "wb");
  Check(stream != nullptr);
  stream->Write(bytes.data(), bytes.size());
}

void ReadEverything(UrlListFile& list, std::size_t indexSize) {
  int count = list.Count();
  Check(count == static_cast<int>(indexSize / kIndexRecordSize));
  for (int i = 0; i < count; ++i) {
    HistoryEntryPtr oldest = list.ReadEntryFromOldest(i);
    HistoryEntryPtr newest = list.ReadEntryFromNewest(count - 1 - i);
    Check((oldest == nullptr) == (newest == nullptr));
    if (!oldest) continue;
    Check(oldest->url == newest->url && oldest->title == newest->title);
    Check(oldest->time == newest->time);
    Check(oldest->url.size() <= 1536 && oldest->title.size() <= 1536);
    Check(oldest->url.find('\r') == std::string::npos);
    Check(oldest->title.find('\r') == std::string::npos);
  }
}

void FuzzPair(Files& files, const std::string& index, const std::string& data) {
  Write(files, "f.urli", index);
  Write(files, "f.urld", data);
  OpenFilesTable table;
  UrlList list(table);
  Check(list.OpenUrlList("f.urli", "f.urld"));
  ReadEverything(list, index.size());
  int before = list.Count();
  Check(list.ReverseOrder() && list.ReverseOrder());
  Check(list.AppendEntry("http://x/\r", "t\r", 5));
  Check(list.Count() == before + 1);
  HistoryEntryPtr added = list.ReadEntryFromNewest(0);
  Check(added && added->url == "http://x/%0D" && added->title == "t ");
  for (int i = 0; i < list.Count(); ++i) list.NextUrl();
  Check(list.NextUrl().empty() && list.GetCursor() == list.Count());
}

void FuzzHistory(Files& files, const std::string& index, const std::string& data) {
  files.MakeDirectory("CorvisantDatabase");
  files.MakeDirectory("CorvisantDatabase\\history");
  Write(files, "CorvisantDatabase\\history\\HistoryIndex", index);
  Write(files, "CorvisantDatabase\\history\\HistoryURL.0001", data);
  OpenFilesTable table;
  HistoryFile history(table);
  Check(history.OpenHistory());
  ReadEverything(history, index.size());
  std::string title = "Fuzzed";
  int before = history.Count();
  if (history.RecordVisit("http://fuzz.example/", true, &title)) {
    Check(history.Count() == before + 1);
    HistoryEntryPtr newest = history.ReadEntryFromNewest(0);
    Check(newest && newest->url == "http://fuzz.example/" && newest->title == "Fuzzed");
  }
}

}  // namespace

CORVISANT_FUZZ_TARGET(history_files) {
  static fuzzing::FuzzProcess process(kWorkDirectory);
  if (size < 2) return;
  std::string input(reinterpret_cast<const char*>(data) + 2, size - 2);
  std::size_t split = input.empty() ? 0 : data[0] % (input.size() + 1);
  std::string index = input.substr(0, split);
  std::string texts = input.substr(split);
  if (data[1] % 2 == 0) {
    FuzzPair(process.files(), index, texts);
  } else {
    FuzzHistory(process.files(), index, texts);
  }
}
