// tavro-studio as a program: its command line, and a server killed while saving that restarts
// with every save it acknowledged.
#include "studio_process.h"
#include "test_support.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <condition_variable>
#include <thread>

using nlohmann::json;

TEST(StudioProgram, RefusesBadArgumentsWithOneLineAndStatusTwo)
{
    TempDirectory scratch;
    struct Row {
        std::vector<std::string> arguments;
        int status;
        const char* says;
    };
    const Row rows[] = {
        {{}, 2, "no verb given"},
        {{"bake"}, 2, "unknown verb 'bake'"},
        {{"serve", "--workers", "-1"}, 2, "--workers takes a whole number"},
        {{"serve", "--workers"}, 2, "--workers needs a value"},
        {{"serve", "--listen", "8080"}, 2, "--listen takes HOST:PORT"},
        {{"serve", "--listen", "127.0.0.1:70000"}, 2, "from 0 to 65535"},
        {{"serve", "--colour", "red"}, 2, "serve has no option --colour"},
        {{"serve", "--package", "/nowhere"}, 2, "no package at /nowhere"},
        {{"serve", "--database", "mysql://db"}, 2, "--database takes a postgresql://... URL"},
        {{"serve", "--data", "d", "--database", "postgresql://db"}, 2, "give one"},
        {{"serve", "extra"}, 2, "does not take 'extra'"},
        {{"worker"}, 2, "worker needs --database"},
        {{"worker", "--database", "postgresql://db", "--listen", "127.0.0.1:1"}, 2, "worker has no option --listen"},
        {{"add-teacher", "kim", "--database", "postgresql://studio@127.0.0.1:1/none"}, 1, "cannot reach the database"},
        {{"backup", "copy.db", "--database", "postgresql://db"}, 2, "pg_dump"},
        {{"add-teacher"}, 2, "needs a teacher's NAME"},
        {{"add-teacher", "a/b"}, 2, "has a slash"},
        {{"backup"}, 2, "needs a FILE"},
        {{"backup", "copy.db", "--data", "empty"}, 1, "no database at empty/studio.db"},
        {{"--version", "now"}, 2, "--version takes nothing"},
    };
    for (const auto& row : rows) {
        Finished finished = run_studio(row.arguments);
        std::string label = row.arguments.empty() ? "(none)" : row.arguments[0] + " ...";
        EXPECT_EQ(finished.status, row.status) << label;
        EXPECT_NE(finished.err.find(row.says), std::string::npos) << label << ": " << finished.err;
        EXPECT_EQ(std::count(finished.err.begin(), finished.err.end(), '\n'), 1) << label << ": " << finished.err;
    }
    Finished version = run_studio({"--version"});
    EXPECT_EQ(version.out.rfind("tavro-studio 1.", 0), 0u) << version.out;
    EXPECT_NE(run_studio({"--help"}).out.find("add-teacher NAME"), std::string::npos);
}

TEST(StudioProgram, KeepsEveryAcknowledgedSaveWhenKilledWhileSaving)
{
    TempDirectory scratch;
    std::string prefix = fake_package_prefix(scratch.path() + "/package");
    std::string data = scratch.path() + "/data";
    Finished teacher = run_studio({"add-teacher", "kim", "--data", data});
    ASSERT_EQ(teacher.status, 0) << teacher.err;
    std::string password = teacher.out.substr(0, teacher.out.find('\n'));
    EXPECT_EQ(run_studio({"add-teacher", "other", "--data", data, "--if-none"}).out, "");
    const std::vector<std::string> serve = {"--data",    data, "--listen",  "127.0.0.1:0",
                                            "--workers", "0",  "--package", prefix};

    auto signed_in = [&](int port) {
        auto client = std::make_unique<httplib::Client>("127.0.0.1", port);
        auto login =
            client->Post("/api/login", json{{"name", "kim"}, {"password", password}}.dump(), "application/json");
        EXPECT_TRUE(login && login->status == 200);
        std::string cookie = login ? login->get_header_value("Set-Cookie") : "";
        client->set_default_headers({{"Cookie", cookie.substr(0, cookie.find(';'))}});
        return client;
    };

    std::vector<int> acknowledged;
    {
        ServingStudio studio(serve);
        auto client = signed_in(studio.port());
        std::mutex mutex;
        std::condition_variable enough;
        bool refused = false;
        std::thread saving([&] {
            // Bounded, far beyond what is saved before the kill.
            for (int i = 1; i <= 100000; ++i) {
                auto saved = client->Put("/api/files/k.cpp", json{{"source", "version " + std::to_string(i)}}.dump(),
                                         "application/json");
                if (!saved || saved->status != 200) {
                    std::lock_guard lock(mutex);
                    refused = true;
                    enough.notify_one();
                    break;
                }
                std::lock_guard lock(mutex);
                acknowledged.push_back(i);
                enough.notify_one();
            }
        });
        {
            std::unique_lock lock(mutex);
            enough.wait(lock, [&] { return refused || acknowledged.size() >= 40; });
        }
        studio.kill_now();
        saving.join();
        ASSERT_TRUE(refused) << "the server was not killed during the saves";
    }
    ASSERT_GE(acknowledged.size(), 40u);

    ServingStudio again(serve);
    auto client = signed_in(again.port());
    auto file = client->Get("/api/files/k.cpp");
    ASSERT_TRUE(file && file->status == 200);
    auto history = json::parse(file->body)["history"];
    EXPECT_GE(history.size(), acknowledged.size());
    for (int i : acknowledged) {
        auto version = client->Get(("/api/files/k.cpp/versions/" + std::to_string(i)).c_str());
        ASSERT_TRUE(version && version->status == 200) << "acknowledged save " << i << " is lost";
        EXPECT_EQ(json::parse(version->body)["source"], "version " + std::to_string(i));
    }
    EXPECT_EQ(again.terminate(), 0) << "SIGTERM ends serving";
}
