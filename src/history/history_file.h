// The history: the one list of every page the browser showed while recording was on. Its index
// is "CorvisantDatabase\history\HistoryIndex"; its texts go to numbered data files, a new one
// started at start-up once the newest has passed 1,024,000,000 bytes.
#pragma once

#include <string>
#include <string_view>

#include "history/url_list_file.h"

namespace corvisant {

// A data file is appended to until its size passes this many bytes.
constexpr std::int64_t kDataFileLimit = 1024000000;  // 0x3D090000
// The first history data file's number.
constexpr std::uint16_t kFirstDataNumber = 1;
// A second visit within this many seconds, with the same URL and title, is not recorded.
constexpr UnixTime kRepeatVisitSeconds = 20;

class HistoryFile : public UrlListFile {
 public:
  explicit HistoryFile(OpenFilesTable& openFiles) : UrlListFile(openFiles) {}

  // Opens the index (made when missing) and the data file that new visits go to. False when
  // either cannot be opened; the history then records nothing and reads nothing.
  bool OpenHistory();
  // Records a visit the browser reported, unless the rules leave it out (an image-map click, a
  // non-page without a title, a repeat within 20 seconds). When titleKnown is false, *title is
  // filled from the browser (empty when it gives nothing). True when an entry was written;
  // false with failedWrite() naming a file when the entry could not be written. The index is
  // locked for the repeat check and the append, so that other processes appending to the same
  // history wait for each other and every entry lands whole.
  bool RecordVisit(std::string_view url, bool titleKnown, std::string* title);

  std::uint16_t appendNumber() const { return appendNumber_; }
  FileStream* appendStream() const { return append_; }

 private:
  bool IsRepeatOfNewest(std::string_view url, std::string_view title, UnixTime now);
  bool AppendVisit(std::string_view url, std::string_view title, UnixTime now);

  std::uint16_t appendNumber_ = 0;
  FileStream* append_ = nullptr;
};

}  // namespace corvisant
