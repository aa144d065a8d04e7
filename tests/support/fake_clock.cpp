#include "tests/support/fake_clock.h"
