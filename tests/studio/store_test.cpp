#include "backup.h"
#include "pg_schema.h"
#include "pg_store.h"
#include "postgres_server.h"
#include "sqlite_handle.h"
#include "sqlite_schema.h"
#include "sqlite_store.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tavro::studio;

namespace {

// The same cases against each store: the single file, and a fresh database on a real PostgreSQL.
class EveryStore : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (std::string(GetParam()) == "Postgres") {
            store_ = std::make_unique<PgStore>(fresh_test_database());
        } else {
            store_ = std::make_unique<SqliteStore>("studio.db");
        }
    }

    TempDirectory scratch_;
    std::unique_ptr<Store> store_;
};

INSTANTIATE_TEST_SUITE_P(Stores, EveryStore, ::testing::Values("Sqlite", "Postgres"),
                         [](const auto& info) { return std::string(info.param); });

User teacher_named(const std::string& name)
{
    User user;
    user.name = name;
    user.role = Role::teacher;
    user.password_hash = "hash";
    return user;
}

}  // namespace

TEST(StudioStore, UpgradesOlderSchemasKeepingTheirRowsAndRefusesNewerOnes)
{
    TempDirectory scratch;
    const int latest = static_cast<int>(sqlite_migrations().size());
    {
        // A database as the first version of the schema left it, with a teacher in it.
        SqliteDatabase db("old.db");
        db.execute("CREATE TABLE schema_version(version INTEGER NOT NULL); INSERT INTO schema_version VALUES (1)");
        db.execute(sqlite_migrations()[0]);
        db.execute("INSERT INTO users(name, role, password_hash, created) VALUES ('ada', 'teacher', 'h', 0)");
    }
    SqliteStore upgraded("old.db");
    EXPECT_EQ(upgraded.schema_version(), latest);
    auto ada = upgraded.user_by_name("ada");
    ASSERT_TRUE(ada);
    EXPECT_TRUE(ada->must_change_password);
    EXPECT_EQ(upgraded.save_file(ada->id, "a.cpp", "int x;", 5).version, 1);

    EXPECT_EQ(SqliteStore("fresh.db").schema_version(), latest);
    SqliteDatabase("fresh.db").execute("UPDATE schema_version SET version = 999");
    try {
        SqliteStore newer("fresh.db");
        FAIL() << "a newer schema was opened";
    } catch (const StoreError& error) {
        EXPECT_NE(std::string(error.what()).find("newer tavro-studio"), std::string::npos) << error.what();
    }
}

TEST(StudioStore, PostgresSchemaHasTheSameVersionsAndRefusesNewerOnes)
{
    ASSERT_EQ(pg_migrations().size(), sqlite_migrations().size());
    const std::string url = fresh_test_database();
    EXPECT_EQ(PgStore(url).schema_version(), static_cast<int>(pg_migrations().size()));
    // A second process opening it upgrades nothing and keeps what is there.
    PgStore(url).add_user(teacher_named("ada"), 0);
    EXPECT_TRUE(PgStore(url).user_by_name("ada"));
    PgConnection(url).execute("UPDATE schema_version SET version = 999");
    try {
        PgStore newer(url);
        FAIL() << "a newer schema was opened";
    } catch (const StoreError& error) {
        EXPECT_NE(std::string(error.what()).find("newer tavro-studio"), std::string::npos) << error.what();
    }
}

TEST_P(EveryStore, KeepsEveryVersionOfAFileAndOnlyItsOwners)
{
    Store& store = *store_;
    auto ada = *store.add_user(teacher_named("ada"), 0);
    auto bob = *store.add_user(teacher_named("bob"), 0);
    EXPECT_FALSE(store.add_user(teacher_named("ada"), 0));

    struct Save {
        std::string source;
        Millis at;
        std::int64_t version;
    };
    const Save saves[] = {{"one", 10, 1}, {"two", 20, 2}, {"two", 30, 2}, {"one", 40, 3}};
    for (const auto& save : saves) {
        auto saved = store.save_file(ada, "a.cpp", save.source, save.at);
        EXPECT_EQ(saved.version, save.version) << save.source << " at " << save.at;
    }
    auto history = store.file_history(ada, "a.cpp");
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[0].version, 3);
    EXPECT_EQ(history[2].saved, 10);
    EXPECT_EQ(store.file_version(ada, "a.cpp", 2)->source, "two");
    EXPECT_EQ(store.latest_version(ada, "a.cpp")->source, "one");
    EXPECT_FALSE(store.latest_version(bob, "a.cpp"));
    EXPECT_TRUE(store.files_of(bob).empty());
    ASSERT_EQ(store.files_of(ada).size(), 1u);
    EXPECT_EQ(store.files_of(ada)[0].version, 3);
}

TEST_P(EveryStore, GivesTakenStudentNamesAFreeVariantInOneTransaction)
{
    Store& store = *store_;
    auto teacher = *store.add_user(teacher_named("ann"), 0);
    auto class_id = store.add_class(teacher, "5a", 0);
    auto added = store.add_students(class_id, {"ann", "ann", "bob", "ann2"}, {"h1", "h2", "h3", "h4"}, 0);
    const char* given[] = {"ann2", "ann3", "bob", "ann22"};
    ASSERT_EQ(added.size(), 4u);
    for (std::size_t i = 0; i < added.size(); ++i) {
        EXPECT_EQ(added[i].given, given[i]) << i;
    }
    EXPECT_EQ(store.user_by_name("ann3")->password_hash, "h2");
    EXPECT_EQ(store.students_of(class_id).size(), 4u);
    // A list that cannot be stored whole stores nothing.
    EXPECT_THROW(store.add_students(class_id, {"cid", "dan"}, {"h"}, 0), std::out_of_range);
    EXPECT_FALSE(store.user_by_name("cid"));
}

TEST_P(EveryStore, KeepsPagesByKeyAndSessionsByHashAndBytesAsGiven)
{
    Store& store = *store_;
    store.put_page("key", "id1", std::string("<html>\0</html>", 14), 0);
    store.put_page("key", "id2", "other", 0);
    EXPECT_EQ(store.page_id_for_key("key"), "id1");
    EXPECT_EQ(store.page_by_id("id1")->size(), 14u);
    EXPECT_FALSE(store.page_by_id("id2"));

    auto user = *store.add_user(teacher_named("ada"), 0);
    store.add_session("h1", user, 100);
    store.add_session("h2", user, 200);
    store.touch_session("h1", 300);
    store.remove_sessions_before(250);
    EXPECT_EQ(store.session("h1")->last_used, 300);
    EXPECT_FALSE(store.session("h2"));

    // A source is kept byte for byte, NUL and broken UTF-8 too; a name with a NUL is nobody's.
    const std::string odd("a\0b\xff", 4);
    EXPECT_EQ(store.save_file(user, "odd.cpp", odd, 1).version, 1);
    EXPECT_EQ(store.latest_version(user, "odd.cpp")->source, odd);
    EXPECT_FALSE(store.user_by_name(std::string("ada\0", 4)));
}

TEST(StudioStore, BacksUpWhileOpen)
{
    TempDirectory scratch;
    SqliteStore store("studio.db");
    store.put_page("key", "id1", "page", 0);
    store.add_user(teacher_named("ada"), 0);
    backup_database("studio.db", "copy.db");
    SqliteStore copy("copy.db");
    EXPECT_EQ(copy.page_id_for_key("key"), "id1");
    EXPECT_TRUE(copy.user_by_name("ada"));
    EXPECT_THROW(backup_database("missing.db", "other.db"), StoreError);
}
