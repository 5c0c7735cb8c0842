#include "support/fatal_failure.h"

#include <cstdio>
#include <cstdlib>

namespace tavro {

void end_on_failure(const std::string& problem)
{
    std::fprintf(stderr, "TAVRO: %s\n", problem.c_str());
    std::fflush(stderr);
    std::exit(FAILURE_STATUS);
}

}  // namespace tavro
