// A random port that gives the values a test lists, in order, then starts over.
#pragma once

#include <initializer_list>
#include <vector>

#include "platform/random.h"

namespace corvisant::testing {

class ScriptedRandom : public Random {
 public:
  ScriptedRandom(std::initializer_list<int> values) : values_(values) {}

  void Seed(unsigned seed) override {
    seed_ = seed;
    ++seedCount_;
  }
  int Next() override;

  unsigned seed() const { return seed_; }
  int seedCount() const { return seedCount_; }
  int drawCount() const { return draws_; }

 private:
  std::vector<int> values_;
  unsigned seed_ = 0;
  int seedCount_ = 0;
  int draws_ = 0;
};

}  // namespace corvisant::testing
