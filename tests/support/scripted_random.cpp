#include "tests/support/scripted_random.h"

namespace corvisant::testing {

int ScriptedRandom::Next() {
  if (values_.empty()) return 0;
  return values_[static_cast<std::size_t>(draws_++) % values_.size()];
}

}  // namespace corvisant::testing
