#include "tests/support/faulty_files.h"

namespace corvisant::testing {

int FaultyFiles::MakeDirectory(const std::string& path) {
  if (EndsWithName(path, failedDirectory_)) return directoryError_;
  return inner().MakeDirectory(path);
}

bool FaultyFiles::FreeDiskBytes(const std::string& path, std::uint64_t* bytes) {
  if (!freeBytesSet_) return inner().FreeDiskBytes(path, bytes);
  if (!freeBytes_) return false;
  *bytes = *freeBytes_;
  return true;
}

StreamPtr FaultyFiles::Open(const std::string& path, std::string_view mode) {
  ++openCount_;
  for (const std::string& name : failedOpens_) {
    if (EndsWithName(path, name)) return nullptr;
  }
  bool writes = mode.find_first_of("wa+") != std::string_view::npos;
  if (!writes) return inner().Open(path, mode);
  writeOpens_.push_back(path);
  if (writeFailuresLeft_ > 0 && EndsWithName(path, failingWrites_)) {
    --writeFailuresLeft_;
    return OpenUnwritable(path, mode);
  }
  return inner().Open(path, mode);
}

// The stream of a full disk: the open empties the file as its mode says, and nothing goes in.
StreamPtr FaultyFiles::OpenUnwritable(const std::string& path, std::string_view mode) {
  if (mode[0] == 'w') {
    StreamPtr emptied = inner().Open(path, mode);
    if (emptied == nullptr) return nullptr;
    emptied->Close();
  }
  return inner().Open(path, "rb");
}

}  // namespace corvisant::testing
