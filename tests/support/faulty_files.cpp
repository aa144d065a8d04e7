#include "tests/support/faulty_files.h"

namespace corvisant::testing {
namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return !end.empty() && text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

int FaultyFiles::MakeDirectory(const std::string& path) {
  if (EndsWith(path, failedDirectory_)) return directoryError_;
  return inner_.MakeDirectory(path);
}

bool FaultyFiles::FreeDiskBytes(const std::string& path, std::uint64_t* bytes) {
  if (!freeBytesSet_) return inner_.FreeDiskBytes(path, bytes);
  if (!freeBytes_) return false;
  *bytes = *freeBytes_;
  return true;
}

StreamPtr FaultyFiles::Open(const std::string& path, std::string_view mode) {
  ++openCount_;
  for (const std::string& name : failedOpens_) {
    if (EndsWith(path, name)) return nullptr;
  }
  return inner_.Open(path, mode);
}

}  // namespace corvisant::testing
