#include "pg_job_table.h"

#include <sodium.h>
#include <unistd.h>

namespace tavro::studio {

namespace {

JobStatus::State state_of(const std::string& name)
{
    return name == "queued"    ? JobStatus::State::queued
           : name == "running" ? JobStatus::State::running
                               : JobStatus::State::done;
}

// Who holds a claim, for whoever looks at the table: this machine and process.
std::string this_worker()
{
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    return std::string(host) + ":" + std::to_string(getpid());
}

std::string as_text(const nlohmann::json& value)
{
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void notify(PgConnection& db, const char* channel, const std::string& payload = "")
{
    db.query("SELECT pg_notify($1, $2)", {channel, payload});
}

}  // namespace

PgJobTable::PgJobTable(PgPool& pool, std::function<std::int64_t()> clock, std::int64_t lease)
    : pool_(pool), clock_(std::move(clock)), lease_(lease), worker_(this_worker())
{
}

std::string PgJobTable::new_id()
{
    unsigned char bytes[16];
    randombytes_buf(bytes, sizeof bytes);
    char hex[sizeof bytes * 2 + 1];
    sodium_bin2hex(hex, sizeof hex, bytes, sizeof bytes);
    return hex;
}

std::string PgJobTable::submit(const JobSpec& spec)
{
    auto db = pool_.take();
    // One commit for the job and its notice.
    PgTransaction transaction(*db);
    // The owner's queued job, when there is one, takes the new source and keeps its id.
    auto row = db->query("INSERT INTO jobs(id, owner, kind, source, file_name, details, state, created)"
                         " VALUES ($1, $2, $3, $4, $5, $6, 'queued', $7)"
                         " ON CONFLICT (owner) WHERE state = 'queued' DO UPDATE SET kind = EXCLUDED.kind,"
                         " source = EXCLUDED.source, file_name = EXCLUDED.file_name, details = EXCLUDED.details"
                         " RETURNING id",
                         {new_id(), spec.owner, spec.kind, PgValue::bytes(spec.source), spec.file_name,
                          as_text(spec.details), clock_()});
    notify(*db, work_channel);
    transaction.commit();
    return row.text(0, 0);
}

std::optional<std::string> PgJobTable::submit_alone(const JobSpec& spec)
{
    auto db = pool_.take();
    std::string id = new_id();
    {
        PgTransaction transaction(*db);
        // Two servers asked at once for one owner decide in turn.
        db->query("SELECT pg_advisory_xact_lock($1)", {spec.owner});
        if (!db->query("SELECT 1 FROM jobs WHERE owner = $1 AND state <> 'done'", {spec.owner}).empty()) {
            return std::nullopt;
        }
        db->query(
            "INSERT INTO jobs(id, owner, kind, source, file_name, details, state, created)"
            " VALUES ($1, $2, $3, $4, $5, $6, 'queued', $7)",
            {id, spec.owner, spec.kind, PgValue::bytes(spec.source), spec.file_name, as_text(spec.details), clock_()});
        notify(*db, work_channel);
        transaction.commit();
    }
    return id;
}

std::optional<JobStatus> PgJobTable::status(const std::string& id, std::int64_t owner)
{
    auto db = pool_.take();
    auto row = db->query("SELECT state, answer FROM jobs WHERE id = $1 AND owner = $2", {id, owner});
    if (row.empty()) {
        return std::nullopt;
    }
    JobStatus status;
    status.state = state_of(row.text(0, 0));
    if (status.state == JobStatus::State::done) {
        status.answer = nlohmann::json::parse(row.text(0, 1), nullptr, false);
    }
    return status;
}

void PgJobTable::end_exhausted(PgConnection& db, std::int64_t now)
{
    auto ended =
        db.query("UPDATE jobs SET state = 'done', ended = $1, answer = json_build_object('status', 'failed', 'reason',"
                 " CASE WHEN last_error = '' THEN 'the job was tried three times and its worker stopped each time'"
                 " ELSE last_error END)::text"
                 " WHERE state = 'running' AND claimed_until < $1 AND attempts >= $2 RETURNING id",
                 {now, most_attempts});
    for (int i = 0; i < ended.rows(); ++i) {
        notify(db, done_channel, ended.text(i, 0));
    }
}

std::optional<ClaimedJob> PgJobTable::claim()
{
    auto db = pool_.take();
    const std::int64_t now = clock_();
    end_exhausted(*db, now);
    auto row = db->query(
        "WITH next AS (SELECT j.id FROM jobs AS j"
        "  WHERE (j.state = 'queued' AND NOT EXISTS"
        "         (SELECT 1 FROM jobs AS r WHERE r.owner = j.owner AND r.state = 'running'))"
        "     OR (j.state = 'running' AND j.claimed_until < $1 AND j.attempts < $3)"
        "  ORDER BY j.turn LIMIT 1 FOR UPDATE SKIP LOCKED)"
        " UPDATE jobs SET state = 'running', attempts = jobs.attempts + 1, claimed_until = $2, claimed_by = $4"
        " FROM next"
        " WHERE jobs.id = next.id"
        " RETURNING jobs.id, jobs.owner, jobs.kind, jobs.source, jobs.file_name, jobs.details, jobs.attempts",
        {now, now + lease_, most_attempts, worker_});
    if (row.empty()) {
        return std::nullopt;
    }
    ClaimedJob job;
    job.id = row.text(0, 0);
    job.spec.owner = row.integer(0, 1);
    job.spec.kind = row.text(0, 2);
    job.spec.source = row.text(0, 3);
    job.spec.file_name = row.text(0, 4);
    job.spec.details = nlohmann::json::parse(row.text(0, 5), nullptr, false);
    job.attempt = row.integer(0, 6);
    return job;
}

void PgJobTable::renew(const ClaimedJob& job)
{
    auto db = pool_.take();
    db->query("UPDATE jobs SET claimed_until = $1 WHERE id = $2 AND state = 'running' AND attempts = $3",
              {clock_() + lease_, job.id, job.attempt});
}

void PgJobTable::finish(const ClaimedJob& job, const nlohmann::json& answer)
{
    auto db = pool_.take();
    PgTransaction transaction(*db);
    // A claim that ran out and was taken by another worker is that worker's to end.
    auto ended = db->query("UPDATE jobs SET state = 'done', answer = $1, ended = $2"
                           " WHERE id = $3 AND state = 'running' AND attempts = $4",
                           {as_text(answer), clock_(), job.id, job.attempt});
    if (ended.changed() > 0) {
        notify(*db, done_channel, job.id);
        notify(*db, work_channel);
    }
    transaction.commit();
}

void PgJobTable::give_up(const ClaimedJob& job, const std::string& reason)
{
    auto db = pool_.take();
    db->query(
        "UPDATE jobs SET claimed_until = 0, last_error = $1 WHERE id = $2 AND state = 'running' AND attempts = $3",
        {reason, job.id, job.attempt});
    end_exhausted(*db, clock_());
    notify(*db, work_channel);
}

void PgJobTable::forget_ended_before(std::int64_t time)
{
    auto db = pool_.take();
    db->query("DELETE FROM jobs WHERE state = 'done' AND ended < $1", {time});
}

}  // namespace tavro::studio
