// A district on one PostgreSQL: two servers that take no jobs and two worker processes, each
// started as a district's administrator would, the pages built with em++ against the installed
// package. One worker is killed while it holds a job: that job, and every other, is still built.
#include "pg_handle.h"
#include "postgres_server.h"
#include "studio_process.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <thread>

using nlohmann::json;

namespace {

constexpr int class_size = 20;

// A student's client of one server: its session cookie, requests in JSON.
class Client {
public:
    explicit Client(int port) : port_(port) {}

    json call(const std::string& method, const std::string& path, const json& body = nullptr, int* status = nullptr)
    {
        httplib::Client client("127.0.0.1", port_);
        client.set_read_timeout(120, 0);
        httplib::Headers headers;
        if (!cookie_.empty()) {
            headers.emplace("Cookie", cookie_);
        }
        const std::string text = body.is_null() ? "" : body.dump();
        auto result = method == "GET"   ? client.Get(path.c_str(), headers)
                      : method == "PUT" ? client.Put(path.c_str(), headers, text, "application/json")
                                        : client.Post(path.c_str(), headers, text, "application/json");
        if (!result) {
            ADD_FAILURE() << method << " " << path << " on port " << port_ << ": no answer";
            return nullptr;
        }
        if (status) {
            *status = result->status;
        }
        if (auto cookie = result->get_header_value("Set-Cookie"); !cookie.empty()) {
            cookie_ = cookie.substr(0, cookie.find(';'));
        }
        auto answer = json::parse(result->body, nullptr, false);
        return answer.is_discarded() ? json(result->body) : answer;
    }

    bool sign_in(const std::string& name, const std::string& password)
    {
        int status = 0;
        call("POST", "/api/login", {{"name", name}, {"password", password}}, &status);
        return status == 200;
    }

    // The same session on another server.
    Client on(int port) const
    {
        Client other(port);
        other.cookie_ = cookie_;
        return other;
    }

private:
    int port_;
    std::string cookie_;
};

std::string program(int seed)
{
    return "#include <tavro/display.h>\n\nint application_main()\n{\n    Display display;\n"
           "    int x = 0;\n    int y = 0;\n    char key = 0;\n    do {\n"
           "        display.clear(COLOUR_ICE_BLUE);\n"
           "        display.draw_circle(" +
           std::to_string(seed * 7 % 200) + ", 0, " + std::to_string(10 + seed) +
           ", COLOUR_GOLD);\n"
           "    } while (display.wait_for_event(x, y, key) != event_quit);\n    return 0;\n}\n";
}

}  // namespace

TEST(StudioDistrict, ServersShareOnePostgresAndTheRunsOfAKilledWorkerAreBuiltByTheOther)
{
    const char* prefix = std::getenv("TAVRO_STUDIO_PACKAGE_PREFIX");
    ASSERT_TRUE(prefix) << "TAVRO_STUDIO_PACKAGE_PREFIX names no installed package";
    const std::string url = fresh_test_database();
    Finished teacher = run_studio({"add-teacher", "tina", "--database", url});
    ASSERT_EQ(teacher.status, 0) << teacher.err;
    const std::string password = teacher.out.substr(0, teacher.out.find('\n'));

    const std::vector<std::string> serve = {"--database", url, "--listen",  "127.0.0.1:0",
                                            "--workers",  "0", "--package", prefix};
    ServingStudio one(serve);
    ServingStudio two(serve);
    const std::vector<std::string> work = {"worker", "--database", url, "--workers", "1", "--package", prefix};
    // The second worker starts once the first has been killed holding a job, so that the first
    // surely holds one; the jobs left are then the second's.
    StudioChild doomed(work, "taking jobs on 1 threads");
    std::optional<StudioChild> survivor;

    Client tina(one.port());
    ASSERT_TRUE(Client(two.port()).sign_in("tina", password));
    ASSERT_TRUE(tina.sign_in("tina", password));
    const auto class_id = tina.call("POST", "/api/classes", {{"name", "district"}})["id"].get<int>();
    json names = json::array();
    for (int i = 0; i < class_size; ++i) {
        names.push_back("s" + std::to_string(i));
    }
    auto students = tina.on(two.port())
                        .call("POST", "/api/classes/" + std::to_string(class_id) + "/students", {{"names", names}})
                        .at("students");
    ASSERT_EQ(students.size(), static_cast<std::size_t>(class_size));

    // Each student signs in on one server and asks for a Run there; a save through one server is
    // read through the other.
    std::vector<Client> clients;
    for (int i = 0; i < class_size; ++i) {
        clients.emplace_back(i % 2 ? two.port() : one.port());
        ASSERT_TRUE(clients[i].sign_in(students[i]["name"], students[i]["password"]));
    }
    clients[0].call("PUT", "/api/files/main.cpp", {{"source", program(0)}});
    EXPECT_EQ(clients[0].on(two.port()).call("GET", "/api/files/main.cpp")["source"], program(0));

    // The class presses Run at once; each Run is asked of one server and followed at the other,
    // whose page it then reads.
    std::vector<json> answers(class_size);
    std::vector<int> pages(class_size);
    std::atomic<int> finished{0};
    std::vector<std::thread> presses;
    for (int i = 0; i < class_size; ++i) {
        presses.emplace_back([&, i] {
            Client other = clients[i].on(i % 2 ? one.port() : two.port());
            int status = 0;
            json answer = clients[i].call("POST", "/api/run", {{"source", program(i)}}, &status);
            while (status == 202) {
                answer = other.call("GET", "/api/jobs/" + answer.value("job", ""), nullptr, &status);
            }
            answers[i] = answer;
            if (answer.value("status", "") == "built") {
                other.call("GET", answer["page"], nullptr, &pages[i]);
            }
            ++finished;
        });
    }

    // Stopped, then looked at: a worker found holding a job is killed with it.
    tavro::studio::PgConnection db(url);
    const std::string doomed_name = "%:" + std::to_string(doomed.pid());
    std::string lost;
    while (lost.empty() && finished < class_size) {
        doomed.signal(SIGSTOP);
        auto held = db.query("SELECT id FROM jobs WHERE state = 'running' AND claimed_by LIKE $1", {doomed_name});
        if (!held.empty()) {
            lost = held.text(0, 0);
            doomed.kill_now();
            survivor.emplace(work, "taking jobs on 1 threads");
        } else {
            doomed.signal(SIGCONT);
            db.query("SELECT pg_sleep(0.05)");
        }
    }
    for (auto& press : presses) {
        press.join();
    }
    ASSERT_FALSE(lost.empty()) << "every Run was built before the worker held one";
    for (int i = 0; i < class_size; ++i) {
        EXPECT_EQ(answers[i].value("status", ""), "built") << i << ": " << answers[i];
        EXPECT_EQ(pages[i], 200) << i;
    }
    auto again = db.query("SELECT attempts, claimed_by FROM jobs WHERE id = $1", {lost});
    EXPECT_EQ(again.integer(0, 0), 2) << "the killed worker's job was not taken again";
    EXPECT_NE(again.text(0, 1).find(":" + std::to_string(survivor->pid())), std::string::npos);
}
