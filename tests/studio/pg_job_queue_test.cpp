// The shared queue's table under a clock the test moves: claims, leases and attempts.
#include "pg_job_queue.h"
#include "pg_store.h"
#include "postgres_server.h"
#include "clock.h"
#include "secrets.h"

#include <gtest/gtest.h>

using namespace tavro::studio;

namespace {

constexpr std::int64_t lease = 1000;

class PostgresQueue : public ::testing::Test {
protected:
    void SetUp() override { start_sodium(); }

    JobSpec job(std::int64_t owner, const std::string& source)
    {
        return JobSpec{owner, "page", source, "main.cpp", {{"n", 1}}};
    }
    JobStatus::State state(const std::string& id, std::int64_t owner) { return table_.status(id, owner)->state; }

    PgStore store_{fresh_test_database()};
    std::int64_t now_ = 1000;
    PgJobTable table_{store_.pool(), [this] { return now_; }, lease};
};

}  // namespace

TEST_F(PostgresQueue, KeepsOneQueuedJobPerOwnerAndRunsOneJobOfAnOwnerAtATime)
{
    const std::string first = table_.submit(job(1, "one"));
    const std::string other = table_.submit(job(2, "theirs"));
    auto claimed = table_.claim();
    ASSERT_TRUE(claimed);
    EXPECT_EQ(claimed->id, first);
    EXPECT_EQ(claimed->spec.details, (nlohmann::json{{"n", 1}}));
    // Queued behind the running one, then replaced by a newer source under the same id.
    const std::string second = table_.submit(job(1, "two"));
    EXPECT_EQ(table_.submit(job(1, "three")), second);
    EXPECT_FALSE(table_.submit_alone(job(1, "alone")));
    EXPECT_EQ(table_.claim()->id, other) << "owner 1's second job ran beside its first";
    EXPECT_FALSE(table_.claim());
    table_.finish(*claimed, {{"status", "built"}});
    EXPECT_EQ(table_.status(first, 1)->answer, (nlohmann::json{{"status", "built"}}));
    EXPECT_FALSE(table_.status(first, 2)) << "another owner reads the job";
    auto next = table_.claim();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->spec.source, "three");
    EXPECT_EQ(state(second, 1), JobStatus::State::running);
}

TEST_F(PostgresQueue, AJobWhoseWorkerStoppedIsTakenByAnotherAndEndsFailedAfterThreeAttempts)
{
    const std::string id = table_.submit(job(1, "src"));
    auto stopped = table_.claim();
    ASSERT_TRUE(stopped);
    now_ += lease / 2;
    table_.renew(*stopped);
    now_ += lease;
    EXPECT_FALSE(table_.claim()) << "a renewed lease ran out";
    now_ += lease;
    auto second = table_.claim();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->id, id);
    EXPECT_EQ(second->attempt, 2);
    // The first worker, back too late, changes nothing: the job is the second's.
    table_.finish(*stopped, {{"status", "late"}});
    EXPECT_EQ(state(id, 1), JobStatus::State::running);
    table_.give_up(*second, "the sandbox could not start");
    auto third = table_.claim();
    ASSERT_TRUE(third);
    EXPECT_EQ(third->attempt, 3);
    now_ += 2 * lease;
    EXPECT_FALSE(table_.claim());
    auto ended = table_.status(id, 1);
    EXPECT_EQ(ended->state, JobStatus::State::done);
    EXPECT_EQ(ended->answer, (nlohmann::json{{"status", "failed"}, {"reason", "the sandbox could not start"}}));

    const std::string failing = table_.submit(job(2, "fails"));
    for (int attempt = 1; attempt <= 3; ++attempt) {
        auto claimed = table_.claim();
        ASSERT_TRUE(claimed) << attempt;
        table_.give_up(*claimed, "attempt " + std::to_string(attempt) + " failed");
    }
    EXPECT_FALSE(table_.claim());
    EXPECT_EQ(table_.status(failing, 2)->answer["reason"], "attempt 3 failed");
    now_ += 11 * 60 * 1000;
    table_.forget_ended_before(now_ - 10 * 60 * 1000);
    EXPECT_FALSE(table_.status(failing, 2));
}

TEST_F(PostgresQueue, WorkersOfTwoQueuesShareTheJobsAndAWaiterHearsOfTheEnd)
{
    std::mutex mutex;
    std::map<std::string, int> built;
    JobRunner runner = [&](const JobSpec& spec) {
        std::lock_guard lock(mutex);
        ++built[spec.source];
        return nlohmann::json{{"built", spec.source}};
    };
    PgJobQueue submitter(store_.pool(), runner, 0, system_millis);
    PgJobQueue one(store_.pool(), runner, 2, system_millis);
    PgJobQueue two(store_.pool(), runner, 2, system_millis);
    std::vector<std::string> ids;
    for (int owner = 1; owner <= 12; ++owner) {
        ids.push_back(submitter.submit(job(owner, "source " + std::to_string(owner))));
    }
    for (int owner = 1; owner <= 12; ++owner) {
        std::optional<JobStatus> status;
        do {
            status = submitter.status(ids[owner - 1], owner, std::chrono::seconds(30));
        } while (status && status->state != JobStatus::State::done);
        ASSERT_TRUE(status);
        EXPECT_EQ(status->answer["built"], "source " + std::to_string(owner));
    }
    std::lock_guard lock(mutex);
    EXPECT_EQ(built.size(), 12u);
    for (const auto& [source, times] : built) {
        EXPECT_EQ(times, 1) << source;
    }
}
