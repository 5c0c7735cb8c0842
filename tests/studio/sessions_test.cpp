#include "login_limits.h"
#include "pg_store.h"
#include "postgres_server.h"
#include "secrets.h"
#include "sessions.h"
#include "shared_login_limits.h"
#include "sqlite_store.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tavro::studio;

namespace {

constexpr Millis minute = 60 * 1000;

// The same limits counted in one server's memory and in the shared database.
class LoginLimitsEach : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        Clock clock = [this] { return now_; };
        const LoginLimitRules rules{3, 5, 10 * minute};
        if (std::string(GetParam()) == "Postgres") {
            store_ = std::make_unique<PgStore>(fresh_test_database());
            limits_ = std::make_unique<SharedLoginLimits>(store_->pool(), clock, rules);
        } else {
            limits_ = std::make_unique<MemoryLoginLimits>(clock, rules);
        }
    }

    Millis now_ = 0;
    std::unique_ptr<PgStore> store_;
    std::unique_ptr<LoginLimits> limits_;
};

INSTANTIATE_TEST_SUITE_P(Counts, LoginLimitsEach, ::testing::Values("Memory", "Postgres"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace

TEST(StudioSessions, EndAfterADayWithoutUseAndLiveOnWhileUsed)
{
    start_sodium();
    TempDirectory scratch;
    SqliteStore store("studio.db");
    User user;
    user.name = "ada";
    user.password_hash = "h";
    auto id = *store.add_user(user, 0);
    Millis now = 0;
    Sessions sessions(store, [&] { return now; });

    struct Step {
        Millis advance;
        bool live;
    };
    // Each use restarts the day; the last pause is a full day.
    const Step steps[] = {{minute, true},
                          {Sessions::idle_limit - minute, true},
                          {Sessions::idle_limit - 1, true},
                          {Sessions::idle_limit, false},
                          {minute, false}};
    std::string token = sessions.start(id);
    EXPECT_EQ(token.size(), 64u);
    EXPECT_FALSE(store.session(token)) << "the token itself is stored";
    for (const auto& step : steps) {
        now += step.advance;
        EXPECT_EQ(sessions.user_of(token).has_value(), step.live) << "after " << now << " ms";
    }

    std::string other = sessions.start(id);
    EXPECT_NE(other, token);
    EXPECT_EQ(sessions.user_of(other), id);
    sessions.end(other);
    EXPECT_FALSE(sessions.user_of(other));
    EXPECT_FALSE(sessions.user_of(""));
}

TEST(StudioSessions, PasswordsAreArgon2idAndOneTimePasswordsDiffer)
{
    start_sodium();
    std::string hash = hash_password("correct horse");
    EXPECT_EQ(hash.rfind("$argon2id$", 0), 0u) << hash;
    EXPECT_TRUE(password_matches(hash, "correct horse"));
    EXPECT_FALSE(password_matches(hash, "correct horsf"));
    EXPECT_FALSE(password_matches("not a hash", "x"));
    std::string first = new_password();
    EXPECT_EQ(first.size(), 12u);
    EXPECT_NE(first, new_password());
}

TEST_P(LoginLimitsEach, RefuseANameOrAnAddressAfterTooManyFailuresForAWhile)
{
    LoginLimits& limits = *limits_;
    struct Attempt {
        const char* name;
        const char* address;
        bool fails;
        bool allowed;
    };
    const Attempt attempts[] = {
        {"ann", "a1", true, true},  {"ann", "a2", true, true},
        {"ann", "a3", true, true},  {"ann", "a4", false, false},  // three failures for ann, from anywhere
        {"bob", "a1", false, true}, {"bob", "a1", false, true},   // bob's successes count nothing
        {"cid", "a9", true, true},  {"dan", "a9", true, true},
        {"eve", "a9", true, true},  {"fay", "a9", true, true},
        {"gus", "a9", true, true},  {"hal", "a9", false, false},  // five failures from a9, whatever the names
    };
    for (const auto& attempt : attempts) {
        EXPECT_EQ(limits.allowed(attempt.name, attempt.address), attempt.allowed) << attempt.name << attempt.address;
        if (attempt.allowed) {
            if (attempt.fails) {
                limits.failed(attempt.name, attempt.address);
            } else {
                limits.succeeded(attempt.name);
            }
        }
    }
    now_ += 10 * minute;
    EXPECT_TRUE(limits.allowed("ann", "a9"));
    // A window that passed counts again from nothing.
    limits.failed("ann", "b1");
    EXPECT_TRUE(limits.allowed("ann", "b1"));
}
