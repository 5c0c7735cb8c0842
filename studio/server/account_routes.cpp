// Sign-in, sign-out, password, who am I; a teacher's classes and their students.
#include "secrets.h"
#include "studio.h"

namespace tavro::studio {

namespace {

constexpr std::size_t max_students_at_once = 100;
constexpr std::size_t min_password_length = 8;
constexpr std::size_t max_password_length = 200;

const char* role_name(Role role) { return role == Role::teacher ? "teacher" : "student"; }

nlohmann::json who(const User& user)
{
    nlohmann::json shown = {
        {"name", user.name}, {"role", role_name(user.role)}, {"must_change_password", user.must_change_password}};
    if (user.class_id) {
        shown["class"] = *user.class_id;  // a student's exercises are their class's
    }
    return shown;
}

std::string session_cookie_header(const std::string& token, bool ending)
{
    return std::string(session_cookie) + "=" + token + "; Path=/; HttpOnly; SameSite=Strict" +
           (ending ? "; Max-Age=0" : "");
}

void login(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto body = read_object(request, {{"name", FieldType::string}, {"password", FieldType::string}});
    std::string name = body["name"];
    std::string password = body["password"];
    std::string limited_name = name.substr(0, 64);
    if (!studio.login_limits->allowed(limited_name, request.remote_addr)) {
        throw HttpError(429, "too many failed sign-ins: wait a quarter of an hour");
    }
    auto user = studio.store.user_by_name(name);
    bool matches = false;
    if (user) {
        matches = password_matches(user->password_hash, password);
    } else {
        spend_a_password_check(password);
    }
    if (!matches) {
        studio.login_limits->failed(limited_name, request.remote_addr);
        throw HttpError(401, "wrong name or password");
    }
    studio.login_limits->succeeded(limited_name);
    response.set_header("Set-Cookie", session_cookie_header(studio.sessions.start(user->id), false));
    answer_json(response, who(*user));
}

void logout(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    read_object(request, {});
    studio.user(request);
    studio.sessions.end(cookie_value(request, session_cookie));
    response.set_header("Set-Cookie", session_cookie_header("", true));
    answer_json(response, nlohmann::json::object());
}

void change_password(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto body = read_object(request, {{"old", FieldType::string}, {"new", FieldType::string}});
    User user = studio.user(request);
    std::string new_password = body["new"];
    if (!password_matches(user.password_hash, body["old"].get<std::string>())) {
        throw HttpError(403, "the old password is wrong");
    }
    if (new_password.size() < min_password_length || new_password.size() > max_password_length) {
        throw HttpError(400, "a password has 8 to 200 characters");
    }
    studio.store.set_password_hash(user.id, hash_password(new_password), false);
    answer_json(response, nlohmann::json::object());
}

Class own_class(Studio& studio, const User& teacher, const std::string& id_text)
{
    auto found = studio.store.class_by_id(path_number(id_text, "no such class"));
    // Someone else's class answers as one that does not exist.
    if (!found || found->teacher_id != teacher.id) {
        throw HttpError(404, "no such class");
    }
    return *found;
}

void add_class(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto body = read_object(request, {{"name", FieldType::string}});
    User teacher = studio.teacher(request);
    std::string name = body["name"];
    check_name(name, "class's name");
    answer_json(response, {{"id", studio.store.add_class(teacher.id, name, studio.clock())}});
}

void list_classes(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    User teacher = studio.teacher(request);
    auto classes = nlohmann::json::array();
    for (const auto& each : studio.store.classes_of(teacher.id)) {
        classes.push_back({{"id", each.id}, {"name", each.name}, {"students", studio.store.students_of(each.id)}});
    }
    answer_json(response, {{"classes", classes}});
}

void list_students(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    Class found = own_class(studio, studio.teacher(request), request.matches[1]);
    auto students = nlohmann::json::array();
    for (const auto& name : studio.store.students_of(found.id)) {
        students.push_back({{"name", name}});
    }
    answer_json(response, {{"students", students}});
}

void add_students(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto body = read_object(request, {{"names", FieldType::string_list}});
    Class found = own_class(studio, studio.teacher(request), request.matches[1]);
    std::vector<std::string> names = body["names"];
    if (names.empty() || names.size() > max_students_at_once) {
        throw HttpError(400, "give 1 to 100 names at once");
    }
    for (const auto& name : names) {
        // Room for a suffix that makes a taken name unique.
        check_name(name, "student's name");
        if (name.size() > 56) {
            throw HttpError(400, "a student's name is longer than 56 bytes");
        }
    }
    std::vector<std::string> passwords, hashes;
    for (std::size_t i = 0; i < names.size(); ++i) {
        passwords.push_back(new_password());
        hashes.push_back(hash_password(passwords.back()));
    }
    auto added = studio.store.add_students(found.id, names, hashes, studio.clock());
    auto students = nlohmann::json::array();
    for (std::size_t i = 0; i < added.size(); ++i) {
        students.push_back({{"name", added[i].given}, {"asked", added[i].asked}, {"password", passwords[i]}});
    }
    answer_json(response, {{"students", students}});
}

}  // namespace

void add_account_routes(httplib::Server& server, Studio& studio)
{
    auto route = [&studio](auto function) { return guarded_route(studio, function); };
    server.Post("/api/login", route(login));
    server.Post("/api/logout", route(logout));
    server.Post("/api/password", route(change_password));
    server.Get("/api/me", route([](Studio& studio, const httplib::Request& request, httplib::Response& response) {
                   answer_json(response, who(studio.user(request)));
               }));
    server.Post("/api/classes", route(add_class));
    server.Get("/api/classes", route(list_classes));
    server.Get(R"(/api/classes/([^/]+)/students)", route(list_students));
    server.Post(R"(/api/classes/([^/]+)/students)", route(add_students));
}

}  // namespace tavro::studio
