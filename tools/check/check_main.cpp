// tavro-check: compares a run's transcript and last frame with the references a teacher made,
// and shows where they differ; or gathers the checks' verdicts into one page.
#include "check/check_command.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    try {
        return tavro::run_check({argv + 1, argv + argc}, std::cout, std::cerr);
    } catch (const std::exception& problem) {  // out of memory, say: a reason rather than an abort
        std::cerr << "tavro-check: " << problem.what() << '\n';
        return tavro::BAD_INPUT;
    }
}
