// The application's own pseudo-random generator, so that a run draws the same
// numbers on every platform: state = state * 214013 + 2531011, result bits 16..30.
#pragma once

namespace city {

void srand(unsigned seed);
int rand();  // 0..32767

}  // namespace city
