// Runs one fuzz property over the files named on the command line, a directory standing for every
// file in it: corpus_runner NAME FILE|DIRECTORY... (a corpus of hundreds of files would not fit
// on a Windows command line). A property that breaks a promise aborts, which fails the test.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
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

// The files an argument names: itself, or the files of the directory it names in name order.
std::vector<std::string> InputsOf(const char* argument) {
  std::error_code error;
  if (!std::filesystem::is_directory(argument, error)) return {argument};
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(argument, error)) {
    if (entry.is_regular_file(error)) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: corpus_runner NAME FILE|DIRECTORY...\n");
    return 2;
  }
  corvisant::fuzzing::FuzzProperty property = corvisant::fuzzing::FindFuzzProperty(argv[1]);
  if (property == nullptr) {
    std::fprintf(stderr, "corpus_runner: no property %s\n", argv[1]);
    return 2;
  }
  std::vector<std::uint8_t> bytes;
  int inputs = 0;
  for (int i = 2; i < argc; ++i) {
    for (const std::string& path : InputsOf(argv[i])) {
      if (!ReadFile(path.c_str(), &bytes)) {
        std::fprintf(stderr, "corpus_runner: cannot read %s\n", path.c_str());
        return 1;
      }
      property(bytes.data(), bytes.size());
      ++inputs;
    }
  }
  std::printf("%s: %d inputs\n", argv[1], inputs);
  // An empty corpus proves nothing.
  return inputs > 0 ? 0 : 1;
}
