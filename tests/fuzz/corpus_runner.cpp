// Runs one fuzz property over the files named on the command line: corpus_runner NAME FILE...
// A property that breaks a promise aborts, which fails the test.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_target.h"

namespace {

bool ReadFile(const char* path, std::vector<std::uint8_t>* bytes) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  bytes->clear();
  std::uint8_t chunk[4096];
  std::size_t count;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes->insert(bytes->end(), chunk, chunk + count);
  }
  std::fclose(file);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: corpus_runner NAME FILE...\n");
    return 2;
  }
  corvisant::fuzzing::FuzzProperty property = corvisant::fuzzing::FindFuzzProperty(argv[1]);
  if (property == nullptr) {
    std::fprintf(stderr, "corpus_runner: no property %s\n", argv[1]);
    return 2;
  }
  std::vector<std::uint8_t> bytes;
  for (int i = 2; i < argc; ++i) {
    if (!ReadFile(argv[i], &bytes)) {
      std::fprintf(stderr, "corpus_runner: cannot read %s\n", argv[i]);
      return 1;
    }
    property(bytes.data(), bytes.size());
  }
  std::printf("%s: %d inputs\n", argv[1], argc - 2);
  return 0;
}
