#include "history/stream_copy.h"

#include <vector>

namespace corvisant {
namespace {
constexpr std::size_t kCopyBlock = 65536;
}  // namespace

bool CopyStreamBytes(FileStream& from, FileStream& to, std::int64_t length) {
  if (!from.Seek(0, SeekFrom::kStart)) return false;
  std::vector<char> block(kCopyBlock);
  std::int64_t left = length;
  while (length == kToTheEnd || left > 0) {
    std::size_t want = block.size();
    if (length != kToTheEnd && left < static_cast<std::int64_t>(want)) {
      want = static_cast<std::size_t>(left);
    }
    std::size_t count = from.Read(block.data(), want);
    if (count == 0) break;
    if (to.Write(block.data(), count) != count) return false;
    left -= static_cast<std::int64_t>(count);
  }
  return from.ErrorFlag() == 0 && (length == kToTheEnd || left == 0);
}

}  // namespace corvisant
