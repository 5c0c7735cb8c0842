// Each test starts with the session and the headless host as a new process has them, so that a
// test program runs all its tests in one process. Compiled into the test programs only: in a
// program the session is never replaced, and a second Display stays refused.
#include "hosts/headless/headless_driver.h"
#include "core/session.h"

#include <gtest/gtest.h>

using namespace tavro;

namespace {

class SessionReset : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        tavro::renew_session();
        tavro::headless_driver().reset();
    }
};

[[maybe_unused]] const bool registered = (testing::UnitTest::GetInstance()->listeners().Append(new SessionReset), true);

}  // namespace
