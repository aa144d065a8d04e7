#pragma once

#include "platform/random.h"

namespace corvisant {

// The Windows C library's own srand and rand.
class CrtRandom : public Random {
 public:
  void Seed(unsigned seed) override;
  int Next() override;
};

}  // namespace corvisant
