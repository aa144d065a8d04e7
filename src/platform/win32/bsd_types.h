// mingw's C library lacks the BSD type names that db_185.h uses.
#pragma once

typedef unsigned int u_int;
typedef unsigned char u_char;
typedef unsigned short u_short;
typedef unsigned long u_long;
