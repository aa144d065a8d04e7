// A files port that passes everything to another one, records the path of every open for
// writing, and can make the next writing opens of a file fail their writes: the stream opens
// (a "wb" open still empties the file, as a full disk would leave it) but takes no byte.
#pragma once

#include <string>
#include <vector>

#include "tests/support/forwarding_files.h"

namespace corvisant::testing {

class WriteFailingFiles : public ForwardingFiles {
 public:
  using ForwardingFiles::ForwardingFiles;

  // The next count writing opens of a path ending in name give streams that cannot write.
  void FailWrites(const std::string& name, int count) {
    failingName_ = name;
    failuresLeft_ = count;
  }
  // Every path opened with a mode that writes, in order.
  const std::vector<std::string>& writeOpens() const { return writeOpens_; }
  void ForgetWriteOpens() { writeOpens_.clear(); }

  StreamPtr Open(const std::string& path, std::string_view mode) override {
    bool writes = mode.find_first_of("wa+") != std::string_view::npos;
    if (!writes) return inner().Open(path, mode);
    writeOpens_.push_back(path);
    if (failuresLeft_ == 0 || !EndsWithName(path, failingName_)) return inner().Open(path, mode);
    --failuresLeft_;
    if (mode[0] == 'w') {
      StreamPtr emptied = inner().Open(path, mode);
      if (emptied == nullptr) return nullptr;
      emptied->Close();
    }
    return inner().Open(path, "rb");
  }

 private:
  std::string failingName_;
  int failuresLeft_ = 0;
  std::vector<std::string> writeOpens_;
};

}  // namespace corvisant::testing
