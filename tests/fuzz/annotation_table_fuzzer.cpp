// The annotation store over a damaged table. The input's first byte chooses: even, its next two
// bytes give an offset (big-endian) at which the rest is written over a small valid table; odd,
// the rest is the whole table file. Whatever the table, the open must not crash, every
// annotation of the log (all its records are whole) must read back, the removed one must stay
// removed, an attach afterwards must read back, and the table Berkeley DB then holds must pass
// the check of its pages (else every open would rebuild it).
#include <cstdint>
#include <string>

#include "platform/ports.h"
#include "tests/fuzz/fuzz_target.h"
#include "views/annotation_store.h"
#include "views/annotation_table_check.h"

namespace {

using corvisant::fuzzing::Check;

using namespace corvisant;

constexpr const char* kWorkDirectory = "annotation_fuzz_store";
constexpr std::size_t kHeaderBytes = 3;
constexpr int kBitsPerByte = 8;

struct Annotation {
  std::string url, text;
};

const Annotation kAnnotations[] = {
    {"http://a/", "hello"},
    {"http://long.example/" + std::string(1500, 'x'), "a key on pages of its own"},
    {"http://b/\n6\nPWNED!\nhttp://a/", "line\nfeeds"},
};
const char* const kRemoved = "http://removed/";

std::string ReadWhole(Files& files, const std::string& path) {
  StreamPtr stream = files.Open(path, "rb");
  Check(stream != nullptr);
  std::string bytes(static_cast<std::size_t>(stream->Size()), '\0');
  Check(stream->Read(bytes.data(), bytes.size()) == bytes.size());
  return bytes;
}

void WriteWhole(Files& files, const std::string& path, const std::string& bytes) {
  StreamPtr stream = files.Open(path, "wb");
  Check(stream != nullptr && stream->WriteText(bytes) && stream->Close());
}

// The log and the table of a store holding kAnnotations, made once.
struct ValidStore {
  explicit ValidStore(Files& files) {
    files.MakeDirectory("CorvisantDatabase");
    files.MakeDirectory("CorvisantDatabase\\etc");
    files.RemoveFile(AnnotationLogPath());
    files.RemoveFile(AnnotationTablePath());
    AnnotationStore store;
    Check(store.Open() && store.Put(kRemoved, "soon gone"));
    for (const Annotation& annotation : kAnnotations) {
      Check(store.Put(annotation.url, annotation.text));
    }
    Check(store.Delete(kRemoved) == Removal::kRemoved);
    store.Close();
    log = ReadWhole(files, AnnotationLogPath());
    table = ReadWhole(files, AnnotationTablePath());
  }
  std::string log, table;
};

}  // namespace

CORVISANT_FUZZ_TARGET(annotation_table) {
  static fuzzing::FuzzProcess process(kWorkDirectory);
  static const ValidStore valid(process.files());
  if (size < kHeaderBytes) return;
  std::string bytes(reinterpret_cast<const char*>(data) + kHeaderBytes, size - kHeaderBytes);
  std::string table = valid.table;
  if (data[0] % 2 == 0) {
    std::size_t at = (data[1] << kBitsPerByte | data[2]) % (table.size() + 1);
    table.replace(at, bytes.size(), bytes);
  } else {
    table = bytes;
  }
  WriteWhole(process.files(), AnnotationLogPath(), valid.log);
  WriteWhole(process.files(), AnnotationTablePath(), table);

  AnnotationStore store;
  Check(store.Open());
  for (const Annotation& annotation : kAnnotations) {
    Check(store.Get(annotation.url) == annotation.text);
  }
  Check(store.Get(kRemoved).empty());
  Check(store.Put("http://after/", "after") && store.Get("http://after/") == "after");
  store.Close();
  Check(TablePagesAreWhole(ReadWhole(process.files(), AnnotationTablePath())));
}
