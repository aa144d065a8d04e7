// The C library declares u_int, u_char, u_short and u_long itself.
#pragma once

#include <sys/types.h>
