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
  return inner().Open(path, mode);
}

}  // namespace corvisant::testing
