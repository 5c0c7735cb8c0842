// The 24 named colours.
#pragma once

#include "platform.h"

extern const tavro::Rgb colour_values[];
extern const char* const colour_names[];

// A valid colour index; any other value is reported and becomes red.
int check_colour(int colour);
