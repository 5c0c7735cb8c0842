#include "support/fatal_failure.h"

#include <cstdio>
#include <cstdlib>

void end_on_failure(const std::string& problem)
{
    std::fprintf(stderr, "TAVRO: %s\n", problem.c_str());
    std::fflush(stderr);
    std::exit(FAILURE_STATUS);
}
