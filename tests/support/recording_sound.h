// A sound port that plays nothing and keeps the path of every file it was asked to play.
#pragma once

#include <string>
#include <vector>

#include "platform/sound.h"

namespace corvisant::testing {

class RecordingSound : public Sound {
 public:
  bool PlayFile(const std::string& path) override {
    played_.push_back(path);
    return true;
  }
  const std::vector<std::string>& played() const { return played_; }
  void Clear() { played_.clear(); }

 private:
  std::vector<std::string> played_;
};

}  // namespace corvisant::testing
