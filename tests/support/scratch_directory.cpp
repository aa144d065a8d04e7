#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

namespace corvisant::testing {
namespace {

std::string UniqueName() {
  static std::atomic<unsigned> counter{0};
  auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  return "scratch-" + std::to_string(ticks) + "-" + std::to_string(counter++);
}

}  // namespace

ScratchDirectory::ScratchDirectory(Files& files)
    : files_(files), previous_(files.CurrentDirectory()) {
  path_ = previous_ + (previous_.back() == '\\' ? "" : "\\") + UniqueName();
  EXPECT_EQ(files_.MakeDirectory(path_), 0) << path_;
  EXPECT_TRUE(files_.ChangeDirectory(path_)) << path_;
}

ScratchDirectory::~ScratchDirectory() {
  files_.ChangeDirectory(previous_);
  RemoveTree(files_, path_);
}

void RemoveTree(Files& files, const std::string& path) {
  for (const DirectoryEntry& entry : files.List(path, "*")) {
    std::string child = path + "\\" + entry.name;
    if (entry.isDirectory) {
      RemoveTree(files, child);
    } else {
      files.RemoveFile(child);
    }
  }
  files.RemoveEmptyDirectory(path);
}

std::string ReadBytes(Files& files, const std::string& path) {
  StreamPtr stream = files.Open(path, "rb");
  if (!stream) return std::string();
  std::string bytes;
  char chunk[4096];
  std::size_t count;
  while ((count = stream->Read(chunk, sizeof chunk)) > 0) bytes.append(chunk, count);
  return bytes;
}

bool WriteBytes(Files& files, const std::string& path, const std::string& bytes) {
  StreamPtr stream = files.Open(path, "wb");
  return stream && stream->Write(bytes.data(), bytes.size()) == bytes.size() && stream->Close();
}

}  // namespace corvisant::testing
