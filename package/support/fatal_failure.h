// A failure the program cannot go on after: a window or an image the system refuses, or an
// exception that reached a function called from C (a window procedure, the page). C code cannot
// take an exception, so it ends the program there with one line and a status.
#pragma once

#include <exception>
#include <string>

namespace tavro {

// The process's status after such a failure, as the render entry's.
constexpr int FAILURE_STATUS = 1;

// Writes "TAVRO: problem" to standard error and ends the process with FAILURE_STATUS.
[[noreturn]] void end_on_failure(const std::string& problem);

// Runs body and returns what it returns; an exception ends the program instead of leaving.
template <typename Body>
auto without_exceptions(Body&& body) noexcept -> decltype(body())
{
    try {
        return body();
    } catch (const std::exception& problem) {
        end_on_failure(problem.what());
    } catch (...) {
        end_on_failure("unexpected failure");
    }
}

}  // namespace tavro
