#include "tests/support/trace_capture.h"
