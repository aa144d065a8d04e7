#include "tests/support/faulty_files.h"

#include "url/whole_file_writer.h"

namespace corvisant::testing {

bool FaultyFiles::Names(const std::string& path, const std::string& name) {
  std::string_view target = FreshFileTarget(path);
  return EndsWithName(path, name) || (!target.empty() && EndsWithName(std::string(target), name));
}

int FaultyFiles::MakeDirectory(const std::string& path) {
  if (EndsWithName(path, failedDirectory_)) return directoryError_;
  int error = inner().MakeDirectory(path);
  return EndsWithName(path, racedDirectory_) ? system_error::kAlreadyExists : error;
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
    if (Names(path, name)) return nullptr;
  }
  bool writes = mode.find_first_of("wa+") != std::string_view::npos;
  if (!writes) return inner().Open(path, mode);
  writeOpens_.push_back(path);
  bool makes = mode[0] == 'w' || mode[0] == 'a' || failUpdates_;
  if (makes && writeFailuresLeft_ > 0 && Names(path, failingWrites_)) {
    --writeFailuresLeft_;
    return OpenUnwritable(path, mode);
  }
  return inner().Open(path, mode);
}

bool FaultyFiles::ReplaceFile(const std::string& from, const std::string& to) {
  return !EndsWithName(to, failedReplace_) && inner().ReplaceFile(from, to);
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
