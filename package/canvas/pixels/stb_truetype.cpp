// The single compiled copy of stb_truetype's functions.
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>
