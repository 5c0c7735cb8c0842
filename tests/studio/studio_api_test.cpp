// The HTTP API as a table of requests and answers, against a real server on 127.0.0.1 with a
// page builder that compiles nothing; each case once with the single file and its queue in
// memory, once with a real PostgreSQL holding the store, the queue and the sign-in limits.
#include "exercise_jobs.h"
#include "pg_job_queue.h"
#include "pg_store.h"
#include "postgres_server.h"
#include "secrets.h"
#include "shared_login_limits.h"
#include "sqlite_store.h"
#include "studio_server.h"
#include "test_support.h"
#include "thread_job_queue.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <condition_variable>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

using namespace tavro::studio;
using nlohmann::json;

namespace {

// "error" in a source gives a diagnostic at line 2; "hold" waits until released, so that a
// Run outlasts its wait; anything else builds "<page>SOURCE".
class FakeBuilder : public PageBuilder {
public:
    std::string key(std::string_view source) const override { return "fake:" + std::string(source); }
    PageBuild build(std::string_view source, std::string_view) const override
    {
        std::unique_lock lock(mutex_);
        ++builds_;
        if (source.find("hold") != std::string_view::npos) {
            released_.wait(lock, [this] { return release_; });
        }
        PageBuild build;
        if (source.find("error") != std::string_view::npos) {
            build.outcome = PageBuild::Outcome::diagnostics;
            build.diagnostics.push_back(Diagnostic{2, 3, "'x' was not declared"});
        } else {
            build.outcome = PageBuild::Outcome::built;
            build.page = "<page>" + std::string(source);
        }
        return build;
    }
    void release()
    {
        std::lock_guard lock(mutex_);
        release_ = true;
        released_.notify_all();
    }
    int builds() const
    {
        std::lock_guard lock(mutex_);
        return builds_;
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable released_;
    mutable int builds_ = 0;
    bool release_ = false;
};

// References are the solution itself; a source that is the solution passes, "crash" crashes,
// "hold" waits until released, anything else differs at line 1 with a difference picture.
class FakeChecker : public CheckBuilder {
public:
    References make_references(std::string_view solution, const CheckInputs&) const override
    {
        References references;
        references.made = solution.find("broken") == std::string_view::npos;
        references.reason = references.made ? "" : "the solution does not build";
        references.transcript = std::string(solution);
        references.picture = "\x89PNG reference";
        return references;
    }
    CheckVerdict check(std::string_view source, const CheckInputs&, const References& references) const override
    {
        std::unique_lock lock(mutex_);
        if (source == "hold") {
            released_.wait(lock, [this] { return release_; });
        }
        CheckVerdict verdict;
        verdict.passed = source == references.transcript;
        verdict.picture = "\x89PNG run";
        if (source == "crash") {
            verdict.reason = "the program crashed (signal 11)";
            verdict.picture.clear();
        } else if (!verdict.passed) {
            verdict.reason = "the transcript differs from the reference";
            verdict.lines.push_back({1, references.transcript, std::string(source)});
            verdict.difference = "\x89PNG difference";
        } else {
            verdict.reason = "matches the references";
        }
        return verdict;
    }
    void release()
    {
        std::lock_guard lock(mutex_);
        release_ = true;
        released_.notify_all();
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable released_;
    bool release_ = false;
};

struct Answer {
    int status = 0;
    json body;
    std::string raw;
    httplib::Headers headers;
};

class StudioApi : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        start_sodium();
        JobRunner runner = [this](const JobSpec& job) {
            return run_job(job, JobTools{builder_, checker_, *store_, system_millis});
        };
        ServerOptions options;
        if (std::string(GetParam()) == "Postgres") {
            auto store = std::make_unique<PgStore>(fresh_test_database());
            PgPool& pool = store->pool();
            store_ = std::move(store);
            jobs_ = std::make_unique<PgJobQueue>(pool, runner, 1, system_millis);
            options.shared_login_limits = std::make_shared<SharedLoginLimits>(pool, system_millis);
        } else {
            store_ = std::make_unique<SqliteStore>(scratch_.path() + "/studio.db");
            jobs_ = std::make_unique<ThreadJobQueue>(runner, 1);
        }
        options.run_wait = std::chrono::milliseconds(300);
        options.threads = 8;
        options.codemirror = scratch_.path() + "/codemirror";
        std::filesystem::create_directories(options.codemirror / "lib");
        write_file(scratch_.path() + "/codemirror/lib/codemirror.js", "// editor");
        write_file(scratch_.path() + "/secret.js", "// not to be served");
        server_ = std::make_unique<StudioServer>(*store_, *jobs_, builder_, system_millis, options, log_);
        port_ = server_->bind("127.0.0.1", 0);
        serving_ = std::thread([this] { server_->serve(); });

        User teacher;
        teacher.name = "tess";
        teacher.role = Role::teacher;
        teacher.password_hash = hash_password("teacher password");
        store_->add_user(teacher, 0);
        teacher.name = "tom";
        store_->add_user(teacher, 0);
        cookies_["tess"] = sign_in("tess", "teacher password");
        cookies_["tom"] = sign_in("tom", "teacher password");
        auto made = request("tess", "POST", "/api/classes", R"({"name":"5a"})");
        auto students = request("tess", "POST", "/api/classes/1/students", R"({"names":["sam","sue"]})");
        for (const auto& student : students.body["students"]) {
            cookies_[student["name"]] = sign_in(student["name"], student["password"]);
        }
    }

    void TearDown() override
    {
        builder_.release();
        checker_.release();
        server_->stop();
        serving_.join();
    }

    std::string sign_in(const std::string& name, const std::string& password)
    {
        auto answer = request("", "POST", "/api/login", json{{"name", name}, {"password", password}}.dump());
        EXPECT_EQ(answer.status, 200) << answer.raw;
        auto cookie = answer.headers.find("Set-Cookie");
        return cookie == answer.headers.end() ? "" : cookie->second.substr(0, cookie->second.find(';'));
    }

    Answer request(const std::string& who, const std::string& method, const std::string& path,
                   const std::string& body = "", httplib::Headers headers = {})
    {
        httplib::Client client("127.0.0.1", port_);
        client.set_read_timeout(30, 0);
        if (!who.empty()) {
            headers.emplace("Cookie", cookies_.at(who));
        }
        httplib::Result result = method == "GET"    ? client.Get(path.c_str(), headers)
                                 : method == "PUT"  ? client.Put(path.c_str(), headers, body, "application/json")
                                 : method == "POST" ? client.Post(path.c_str(), headers, body, "application/json")
                                                    : client.Delete(path.c_str(), headers, body, "application/json");
        Answer answer;
        if (!result) {
            ADD_FAILURE() << method << " " << path << ": no answer";
            return answer;
        }
        answer.status = result->status;
        answer.raw = result->body;
        answer.headers = result->headers;
        answer.body = json::parse(result->body, nullptr, false);
        return answer;
    }

    std::string log() const { return log_.str(); }

    TempDirectory scratch_;
    FakeBuilder builder_;
    FakeChecker checker_;
    std::unique_ptr<Store> store_;
    std::unique_ptr<JobQueue> jobs_;
    std::ostringstream log_;
    std::unique_ptr<StudioServer> server_;
    int port_ = 0;
    std::thread serving_;
    std::map<std::string, std::string> cookies_;
};

struct Row {
    const char* who;  // "" signed out
    const char* method;
    const char* path;
    const char* body;
    int status;
    const char* answer;  // a JSON object the answer must contain, or an error's words
};

// Every member of wanted is in actual; lists are as long and hold such elements in order.
bool contains(const json& actual, const json& wanted)
{
    if (wanted.is_object()) {
        if (!actual.is_object()) {
            return false;
        }
        for (const auto& item : wanted.items()) {
            if (!actual.contains(item.key()) || !contains(actual[item.key()], item.value())) {
                return false;
            }
        }
        return true;
    }
    if (wanted.is_array()) {
        if (!actual.is_array() || actual.size() != wanted.size()) {
            return false;
        }
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            if (!contains(actual[i], wanted[i])) {
                return false;
            }
        }
        return true;
    }
    return actual == wanted;
}

void expect_row(const Row& row, const Answer& answer)
{
    std::string label = std::string(row.who) + " " + row.method + " " + row.path + " " + row.body;
    EXPECT_EQ(answer.status, row.status) << label << "\n" << answer.raw;
    if (row.answer[0] == '{') {
        EXPECT_TRUE(contains(answer.body, json::parse(row.answer))) << label << "\n" << answer.raw;
    } else if (row.answer[0] != '\0') {
        ASSERT_TRUE(answer.body.is_object()) << label << "\n" << answer.raw;
        EXPECT_EQ(answer.body.size(), 1u) << label << "\n" << answer.raw;
        EXPECT_NE(answer.body.value("error", "").find(row.answer), std::string::npos) << label << "\n" << answer.raw;
        EXPECT_EQ(answer.raw.find('\n'), std::string::npos) << label;
    }
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Stores, StudioApi, ::testing::Values("Sqlite", "Postgres"),
                         [](const auto& info) { return std::string(info.param); });

TEST_P(StudioApi, AnswersEachRequestAsTheTableSays)
{
    const Row rows[] = {
        // accounts
        {"", "POST", "/api/login", R"({"name":"tess","password":"wrong"})", 401, "wrong name or password"},
        {"", "POST", "/api/login", R"({"name":"nobody","password":"x"})", 401, "wrong name or password"},
        {"", "GET", "/api/me", "", 401, "sign in first"},
        {"tess", "GET", "/api/me", "", 200, R"({"name":"tess","role":"teacher"})"},
        {"sam", "GET", "/api/me", "", 200, R"({"name":"sam","role":"student","must_change_password":true})"},
        {"sam", "POST", "/api/password", R"({"old":"wrong","new":"a new password"})", 403, "old password is wrong"},
        {"sam", "POST", "/api/password", R"({"old":"x"})", 400, "\"new\" is missing"},
        {"sam", "POST", "/api/password", "", 400, "\"old\" is missing"},
        {"tess", "POST", "/api/classes", R"({"name":"6b"})", 200, R"({"id":2})"},
        {"tess", "GET", "/api/classes", "", 200,
         R"({"classes":[{"id":1,"name":"5a","students":["sam","sue"]},)"
         R"({"id":2,"name":"6b","students":[]}]})"},
        {"tess", "POST", "/api/classes/2/students", R"({"names":["sam"]})", 200, R"({"students":[{"name":"sam2"}]})"},
        {"tess", "GET", "/api/classes/1/students", "", 200, R"({"students":[{"name":"sam"},{"name":"sue"}]})"},
        {"tom", "GET", "/api/classes", "", 200, R"({"classes":[]})"},
        {"tom", "POST", "/api/classes/1/students", R"({"names":["eve"]})", 404, "no such class"},
        {"tom", "GET", "/api/classes/1/students", "", 404, "no such class"},
        {"tess", "GET", "/api/classes/x1/students", "", 404, "no such class"},
        {"sam", "POST", "/api/classes", R"({"name":"mine"})", 403, "only a teacher"},
        {"sam", "POST", "/api/classes/1/students", R"({"names":["eve"]})", 403, "only a teacher"},
        {"sam", "GET", "/api/classes", "", 403, "only a teacher"},
        {"tess", "POST", "/api/classes/1/students", R"({"names":[]})", 400, "1 to 100 names"},
        {"tess", "POST", "/api/classes/1/students", R"({"names":["a/b"]})", 400, "has a slash"},
        {"tess", "POST", "/api/classes/1/students", R"({"names":[3]})", 400, "must be a list of strings"},
        // files
        {"sam", "PUT", "/api/files/a.cpp", R"({"source":"one"})", 200, R"({"version":1})"},
        {"sam", "PUT", "/api/files/a.cpp", R"({"source":"two"})", 200, R"({"version":2})"},
        {"sam", "PUT", "/api/files/a.cpp", R"({"source":"two"})", 200, R"({"version":2})"},
        {"sam", "GET", "/api/files/a.cpp", "", 200, R"({"source":"two","version":2})"},
        {"sam", "GET", "/api/files/a.cpp/versions/1", "", 200, R"({"source":"one","version":1})"},
        {"sam", "GET", "/api/files/a.cpp/versions/9", "", 404, "no such version"},
        {"sam", "GET", "/api/files", "", 200, R"({"files":[{"name":"a.cpp","version":2}]})"},
        {"sue", "GET", "/api/files/a.cpp", "", 404, "no such file"},
        {"sue", "GET", "/api/files", "", 200, R"({"files":[]})"},
        {"", "GET", "/api/files/a.cpp", "", 401, "sign in first"},
        {"", "PUT", "/api/files/a.cpp", R"({"source":"mine"})", 401, "sign in first"},
        // bad input: nothing changes
        {"sam", "PUT", "/api/files/b.cpp", R"({"source":"x")", 400, "not valid JSON"},
        {"sam", "PUT", "/api/files/b.cpp", R"(["source"])", 400, "not a JSON object"},
        {"sam", "PUT", "/api/files/b.cpp", R"({"source":"x","owner":"sue"})", 400, "unknown field \"owner\""},
        {"sam", "PUT", "/api/files/b.cpp", R"({"source":7})", 400, "must be a string"},
        {"sam", "PUT", "/api/files/..", R"({"source":"x"})", 400, "\"..\""},
        {"sam", "PUT", "/api/files/a..b", R"({"source":"x"})", 400, "\"..\""},
        {"sam", "PUT", "/api/files/a%5Cb", R"({"source":"x"})", 400, "has a slash"},
        {"sam", "PUT", "/api/files/a%2Fb", R"({"source":"x"})", 404, "no such page"},
        {"sam", "PUT", "/api/files/a%0Ab", R"({"source":"x"})", 400, "control character"},
        {"sam", "PUT", "/api/files/.hidden", R"({"source":"x"})", 400, "starts with '.'"},
        {"sam", "PUT", "/api/files/%FF", R"({"source":"x"})", 400, "not UTF-8"},
        {"sam", "GET", "/api/files", "", 200, R"({"files":[{"name":"a.cpp","version":2}]})"},
        // run
        {"sam", "POST", "/api/run", R"({"source":"int main"})", 200, R"({"status":"built"})"},
        {"sam", "POST", "/api/run", R"({"source":"error","name":"mine.cpp"})", 200,
         R"({"status":"error","diagnostics":[{"line":2,"column":3,"message":"'x' was not declared"}]})"},
        {"", "POST", "/api/run", R"({"source":"int main"})", 401, "sign in first"},
        {"sam", "POST", "/api/run", R"({"source":"x","flags":"-O0"})", 400, "unknown field"},
        {"sam", "GET", "/api/jobs/0123abcd", "", 404, "no such job"},
        {"", "GET", "/run/0000000000000000000000000000000000000000000000000000000000000000", "", 404, "no such page"},
        // static files
        {"", "GET", "/codemirror/lib/codemirror.js", "", 200, ""},
        {"", "GET", "/codemirror/lib/missing.js", "", 404, "no such file"},
        {"", "GET", "/codemirror/lib/%2E%2E/%2E%2E/secret.js", "", 400, "\"..\""},
        {"", "GET", "/api/examples/first_picture", "", 200, R"({"name":"first_picture"})"},
        {"", "GET", "/api/examples/nothing", "", 404, "no such example"},
    };
    for (const auto& row : rows) {
        expect_row(row, request(row.who, row.method, row.path, row.body));
    }
    EXPECT_FALSE(store_->latest_version(store_->user_by_name("sam")->id, "b.cpp"));
    EXPECT_EQ(builder_.builds(), 2);
}

TEST_P(StudioApi, RefusesChangesFromAnotherSiteAndBodiesTooLargeWithoutReadingThem)
{
    std::string own = "http://127.0.0.1:" + std::to_string(port_);
    struct OriginRow {
        const char* origin;
        int status;
    };
    const OriginRow origins[] = {{"https://evil.example", 403}, {"null", 403}, {"http://127.0.0.1", 403}, {"", 200}};
    for (const auto& row : origins) {
        httplib::Headers headers;
        headers.emplace("Origin", row.origin[0] ? row.origin : own.c_str());
        auto answer = request("sam", "PUT", "/api/files/o.cpp", R"({"source":"from a page"})", headers);
        EXPECT_EQ(answer.status, row.status) << row.origin << ": " << answer.raw;
    }
    EXPECT_EQ(store_->latest_version(store_->user_by_name("sam")->id, "o.cpp")->version, 1);

    // 40 MB announced: the answer comes from the headers alone, before a byte of the body.
    int client = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port_));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    std::string head = "PUT /api/files/big.cpp HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
                       "Cookie: " +
                       cookies_.at("sam") + "\r\nContent-Length: 41943040\r\n\r\n";
    ASSERT_EQ(send(client, head.data(), head.size(), 0), static_cast<ssize_t>(head.size()));
    std::string reply;
    char buffer[4096];
    for (ssize_t got; reply.find("}") == std::string::npos && (got = recv(client, buffer, sizeof buffer, 0)) > 0;) {
        reply.append(buffer, static_cast<std::size_t>(got));
    }
    // Then the server ends the connection rather than read the 40 MB (a guard against a hang).
    timeval guard{20, 0};
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &guard, sizeof guard);
    EXPECT_EQ(recv(client, buffer, sizeof buffer, 0), 0) << "the connection stays open for the body";
    close(client);
    EXPECT_EQ(reply.rfind("HTTP/1.1 413", 0), 0u) << reply;
    EXPECT_NE(reply.find(R"({"error":"the body is larger than 1024 KiB"})"), std::string::npos) << reply;
    EXPECT_FALSE(store_->latest_version(store_->user_by_name("sam")->id, "big.cpp"));

    // A request line without end is cut off at the bound, not kept: the server goes on.
    client = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    std::string line(1 << 20, 'x');
    std::size_t sent = 0;
    for (ssize_t wrote; sent < (64u << 20) && (wrote = send(client, line.data(), line.size(), MSG_NOSIGNAL)) > 0;) {
        sent += static_cast<std::size_t>(wrote);
    }
    close(client);
    EXPECT_LT(sent, 64u << 20);
    EXPECT_EQ(request("sam", "GET", "/api/me").status, 200);
}

TEST_P(StudioApi, RunsWaitInTheQueueAndAnswerLaterAtTheirJob)
{
    auto first = request("sam", "POST", "/api/run", R"({"source":"hold 1"})");
    ASSERT_EQ(first.status, 202) << first.raw;
    std::string job = first.body["job"];
    // Building, not waiting: else the next Run would replace it.
    while (first.body.value("state", "") != "running") {
        first = request("sam", "GET", "/api/jobs/" + job);
    }
    // Queued behind the held one, then replaced by the newer source: one job for sam.
    auto second = request("sam", "POST", "/api/run", R"({"source":"hold 2"})");
    auto third = request("sam", "POST", "/api/run", R"({"source":"hold 3"})");
    ASSERT_EQ(second.status, 202);
    EXPECT_EQ(second.body["job"], third.body["job"]);
    EXPECT_NE(second.body["job"], job);
    EXPECT_EQ(request("sue", "GET", "/api/jobs/" + job).status, 404) << "sue reads sam's job";

    builder_.release();
    Answer done;
    do {
        done = request("sam", "GET", "/api/jobs/" + third.body["job"].get<std::string>());
    } while (done.status == 202);
    ASSERT_EQ(done.status, 200) << done.raw;
    EXPECT_EQ(builder_.builds(), 2);

    std::string page = done.body["page"];
    auto shown = request("", "GET", page);
    EXPECT_EQ(shown.raw, "<page>hold 3");
    auto policy = shown.headers.find("Content-Security-Policy");
    ASSERT_NE(policy, shown.headers.end());
    EXPECT_EQ(policy->second, "sandbox allow-scripts");
    EXPECT_EQ(shown.headers.find("X-Content-Type-Options")->second, "nosniff");

    // Built before: answered from the store, the builder not asked again.
    auto again = request("sue", "POST", "/api/run", R"({"source":"hold 3"})");
    EXPECT_EQ(again.body, (json{{"status", "built"}, {"page", page}}));
    EXPECT_EQ(builder_.builds(), 2);
}

TEST_P(StudioApi, SessionsEndAtSignOutAndSignInIsLimitedAndPasswordsChange)
{
    const std::string sam = cookies_.at("sam");
    EXPECT_EQ(request("sam", "POST", "/api/logout").status, 200);
    EXPECT_EQ(request("sam", "GET", "/api/me").status, 401);

    for (int attempt = 0; attempt < 5; ++attempt) {
        EXPECT_EQ(request("", "POST", "/api/login", R"({"name":"sue","password":"guess"})").status, 401);
    }
    auto limited = request("", "POST", "/api/login", R"({"name":"sue","password":"guess"})");
    EXPECT_EQ(limited.status, 429) << limited.raw;

    EXPECT_EQ(request("tess", "POST", "/api/password", R"({"old":"teacher password","new":"short"})").status, 400);
    EXPECT_EQ(request("tess", "POST", "/api/password", R"({"old":"teacher password","new":"a better one"})").status,
              200);
    EXPECT_EQ(request("", "POST", "/api/login", R"({"name":"tess","password":"teacher password"})").status, 401);
    cookies_["tess"] = sign_in("tess", "a better one");
    EXPECT_EQ(request("tess", "GET", "/api/me").body["must_change_password"], false);

    // Nothing secret in the log, one line per failed request.
    std::string written = log();
    for (const char* secret : {"guess", "teacher password", "a better one", sam.c_str() + 14}) {
        EXPECT_EQ(written.find(secret), std::string::npos) << secret << " in\n" << written;
    }
    EXPECT_NE(written.find("POST /api/login 429 too many failed sign-ins"), std::string::npos) << written;
}

TEST_P(StudioApi, ExercisesSubmissionsAndResultsAsTheTableSays)
{
    request("tom", "POST", "/api/classes", R"({"name":"6c"})");
    auto other = request("tom", "POST", "/api/classes/2/students", R"({"names":["zed"]})");
    cookies_["zed"] = sign_in("zed", other.body["students"][0]["password"]);
    const std::string house =
        R"("title":"House","text":"Draw a house.\n\nThen a sun.","script":"TAVRO_PERIODIC(3);\n")";
    auto exercise = [&](const std::string& fields) { return "{" + house + "," + fields + "}"; };
    const std::string first = exercise(R"("class":1,"solution":"right","time":1700000000)");
    const std::string broken = exercise(R"("class":1,"solution":"broken")");
    const std::string edited = exercise(R"("solution":"right again")");
    const std::string retitled = R"({"title":"A house","solution":"right again","script":"TAVRO_PERIODIC(3);\n"})";
    const std::string preview = exercise(R"("solution":"right")");
    const Row rows[] = {
        // publishing, and what is refused with nothing changed
        {"tess", "POST", "/api/exercises", first.c_str(), 200,
         R"({"id":1,"picture":"/api/exercises/1/picture?revision=1"})"},
        {"tess", "POST", "/api/exercises", broken.c_str(), 422, "the solution does not build"},
        {"tess", "POST", "/api/exercises", R"({"class":1,"title":"T","solution":"s","script":"TAVRO_JUMP(1);"})", 400,
         "the script's line 1 is none of"},
        {"tess", "POST", "/api/exercises", R"({"class":1,"title":"T","solution":"s","script":"\n \n"})", 400,
         "the script has no event"},
        {"tess", "POST", "/api/exercises", R"({"class":1,"title":"T","solution":"s","script":"TAVRO_PERIODIC(0);"})",
         400, "the script's line 1"},
        {"tess", "POST", "/api/exercises", R"({"class":1,"title":"T","solution":"a\u0000b","script":"TAVRO_KBD(97);"})",
         400, "the solution is not text (a control character at line 1)"},
        {"tess", "POST", "/api/exercises",
         R"({"class":1,"title":"T","solution":"s","script":"TAVRO_KBD(97);","answers":"\u001b[2J"})", 400,
         "the answers is not text"},
        {"tess", "POST", "/api/exercises", R"({"class":1,"title":"a\nb","solution":"s","script":"TAVRO_KBD(97);"})",
         400, "the title must be one line"},
        {"tess", "POST", "/api/exercises",
         R"({"class":1,"title":"T","solution":"s","script":"TAVRO_KBD(97);","time":-1})", 400, "the start time"},
        {"tess", "POST", "/api/exercises", R"({"class":1,"title":"T","solution":"s"})", 400, "\"script\" is missing"},
        {"tom", "POST", "/api/exercises", first.c_str(), 404, "no such class"},
        {"sam", "POST", "/api/exercises", first.c_str(), 403, "only a teacher"},
        {"tess", "POST", "/api/exercises/preview", preview.c_str(), 200,
         R"({"transcript":["right"],"picture":"data:image/png;base64,iVBORyByZWZlcmVuY2U="})"},
        // who sees the exercise
        {"sam", "GET", "/api/exercises?class=1", "", 200,
         R"({"exercises":[{"id":1,"title":"House","text":"Draw a house.\n\nThen a sun."}]})"},
        {"zed", "GET", "/api/exercises?class=1", "", 404, "no such class"},
        {"tom", "GET", "/api/exercises?class=1", "", 404, "no such class"},
        {"sam", "GET", "/api/exercises/1", "", 200, R"({"title":"House","source":"","last":null,"tries":0})"},
        {"tess", "GET", "/api/exercises/1", "", 200,
         R"({"solution":"right","time":1700000000,"transcript":["right"]})"},
        {"sam", "GET", "/api/exercises/1/picture", "", 200, ""},
        {"zed", "GET", "/api/exercises/1", "", 404, "no such exercise"},
        {"zed", "GET", "/api/exercises/1/picture", "", 404, "no such exercise"},
        // submissions: each kept with its verdict; only its student and teacher see it
        {"sam", "POST", "/api/exercises/1/submissions", R"({"source":"right"})", 200,
         R"({"verdict":"pass","reason":"matches the references","lines":[],"difference":""})"},
        {"sam", "POST", "/api/exercises/1/submissions", R"({"source":"wrong"})", 200,
         R"({"verdict":"fail","reason":"the transcript differs from the reference",)"
         R"("lines":[{"line":1,"expected":"right","actual":"wrong"}],"picture":"/api/submissions/2/picture",)"
         R"("difference":"/api/submissions/2/difference"})"},
        {"sue", "POST", "/api/exercises/1/submissions", R"({"source":"crash"})", 200,
         R"j({"verdict":"fail","reason":"the program crashed (signal 11)","picture":""})j"},
        {"tess", "POST", "/api/exercises/1/submissions", R"({"source":"right"})", 403, "only a student"},
        {"zed", "POST", "/api/exercises/1/submissions", R"({"source":"right"})", 404, "no such exercise"},
        {"sam", "POST", "/api/exercises/1/submissions", R"({"source":"x","exercise":2})", 400, "unknown field"},
        {"sam", "GET", "/api/exercises/1/submissions", "", 200,
         R"({"submissions":[{"id":2,"verdict":"fail"},{"id":1,"verdict":"pass"}]})"},
        {"sam", "GET", "/api/exercises/1", "", 200, R"({"source":"wrong","tries":2,"last":{"id":2}})"},
        {"sam", "GET", "/api/submissions/2", "", 200, R"({"source":"wrong","student":"sam","title":"House"})"},
        {"tess", "GET", "/api/submissions/2", "", 200, R"({"source":"wrong","verdict":"fail"})"},
        {"sue", "GET", "/api/submissions/2", "", 404, "no such submission"},
        {"tom", "GET", "/api/submissions/2", "", 404, "no such submission"},
        {"tess", "GET", "/api/submissions/2/difference", "", 200, ""},
        {"sue", "GET", "/api/submissions/2/difference", "", 404, "no such submission"},
        {"tess", "GET", "/api/submissions/1/difference", "", 404, "no such picture"},
        {"tess", "POST", "/api/submissions/2/run", "{}", 200, R"({"status":"built"})"},
        // the class's table
        {"tess", "GET", "/api/classes/1/results", "", 200,
         R"({"students":[{"name":"sam"},{"name":"sue"}],"exercises":[{"title":"House"}],)"
         R"("results":[[{"verdict":"fail","tries":2,"outdated":false}],[{"verdict":"fail","tries":1}]]})"},
        {"tom", "GET", "/api/classes/1/results", "", 404, "no such class"},
        {"sam", "GET", "/api/classes/1/results.csv", "", 403, "only a teacher"},
        // editing: new references make earlier verdicts outdated; a new title alone does not
        {"tess", "PUT", "/api/exercises/1", edited.c_str(), 200, R"({"id":1,"revision":2})"},
        {"tess", "PUT", "/api/exercises/1", retitled.c_str(), 200, R"({"id":1,"revision":2})"},
        {"sam", "GET", "/api/exercises/1", "", 200, R"({"title":"A house","last":{"outdated":true}})"},
        {"tess", "GET", "/api/classes/1/results", "", 200, R"({"results":[[{"outdated":true}],[{"tries":1}]]})"},
        {"sam", "PUT", "/api/exercises/1", edited.c_str(), 403, "only a teacher"},
        {"tom", "PUT", "/api/exercises/1", edited.c_str(), 404, "no such exercise"},
        // withdrawn: gone for the students, kept for the teacher
        {"tess", "POST", "/api/exercises/1/withdraw", "{}", 200, R"({"withdrawn":true})"},
        {"sam", "GET", "/api/exercises?class=1", "", 200, R"({"exercises":[]})"},
        {"sam", "POST", "/api/exercises/1/submissions", R"({"source":"right again"})", 404, "no such exercise"},
        {"tess", "GET", "/api/exercises?class=1", "", 200, R"({"exercises":[{"title":"A house","withdrawn":true}]})"},
        {"tess", "POST", "/api/exercises/1/restore", "{}", 200, R"({"withdrawn":false})"},
        {"sam", "POST", "/api/exercises/1/submissions", R"({"source":"right again"})", 200, R"({"verdict":"pass"})"},
    };
    for (const auto& row : rows) {
        expect_row(row, request(row.who, row.method, row.path, row.body));
    }
    EXPECT_EQ(store_->exercises_of(1).size(), 1u);

    auto csv = request("tess", "GET", "/api/classes/1/results.csv");
    EXPECT_EQ(csv.raw, "\"student\",\"A house\",\"A house tries\",\"A house when\",\"A house reason\"\r\n"
                       "\"sam\",\"pass\",3," +
                           csv.raw.substr(csv.raw.find("3,\"2") + 2, 26) +
                           ",\"matches the references\"\r\n"
                           "\"sue\",\"fail\",1," +
                           csv.raw.substr(csv.raw.rfind("1,\"2") + 2, 26) + ",\"the program crashed (signal 11)\"\r\n");
    auto junit = request("tess", "GET", "/api/classes/1/results.xml");
    EXPECT_NE(junit.raw.find(R"(<testsuites name="5a" tests="2" failures="1" skipped="0">)"), std::string::npos)
        << junit.raw;
    EXPECT_NE(junit.raw.find(R"(<testcase classname="sue" name="A house"><failure message="the program crashed )"
                             R"j((signal 11)"/></testcase>)j"),
              std::string::npos)
        << junit.raw;
}

TEST_P(StudioApi, AStudentHasOneCheckAtATimeAndReadsItsVerdictAtTheJob)
{
    request("tess", "POST", "/api/exercises",
            R"({"class":1,"title":"T","solution":"right","script":"TAVRO_PERIODIC(1);"})");
    auto held = request("sam", "POST", "/api/exercises/1/submissions", R"({"source":"hold"})");
    ASSERT_EQ(held.status, 202) << held.raw;
    auto second = request("sam", "POST", "/api/exercises/1/submissions", R"({"source":"right"})");
    EXPECT_EQ(second.status, 429) << second.raw;
    // A Run meanwhile is a job of its own: it does not take the check's place.
    auto run = request("sam", "POST", "/api/run", R"({"source":"page"})");
    ASSERT_EQ(run.status, 202) << run.raw;
    EXPECT_NE(run.body["job"], held.body["job"]);
    EXPECT_EQ(request("sue", "GET", "/api/jobs/" + held.body["job"].get<std::string>()).status, 404);
    checker_.release();
    auto finished = [&](const Answer& started) {
        Answer done;
        do {
            done = request("sam", "GET", "/api/jobs/" + started.body["job"].get<std::string>());
        } while (done.status == 202);
        return done;
    };
    EXPECT_EQ(finished(held).body["verdict"], "fail");
    EXPECT_EQ(finished(run).body["status"], "built");
    EXPECT_EQ(request("sam", "POST", "/api/exercises/1/submissions", R"({"source":"right"})").body["verdict"], "pass");
}
