#include "platform/win32/crt_random.h"

#include <cstdlib>

namespace corvisant {

void CrtRandom::Seed(unsigned seed) { std::srand(seed); }

int CrtRandom::Next() { return std::rand(); }

}  // namespace corvisant
