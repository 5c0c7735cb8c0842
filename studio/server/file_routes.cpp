// A user's programs by name, every saved version kept.
#include "studio.h"

namespace tavro::studio {

namespace {

nlohmann::json version_json(const FileVersion& version)
{
    return {{"version", version.version}, {"saved", iso_time(version.saved)}};
}

std::string file_name(const httplib::Request& request)
{
    std::string name = request.matches[1];
    check_name(name, "file's name");
    return name;
}

void save(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    auto body = read_object(request, {{"source", FieldType::string}});
    User user = studio.user(request);
    std::string name = file_name(request);
    std::string source = body["source"];
    if (source.size() > studio.options.max_source) {
        throw HttpError(413, "the source is larger than " + std::to_string(studio.options.max_source / 1024) + " KiB");
    }
    answer_json(response, version_json(studio.store.save_file(user.id, name, source, studio.clock())));
}

void read(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    User user = studio.user(request);
    std::string name = file_name(request);
    auto latest = studio.store.latest_version(user.id, name);
    if (!latest) {
        throw HttpError(404, "no such file");
    }
    auto history = nlohmann::json::array();
    for (const auto& version : studio.store.file_history(user.id, name)) {
        history.push_back(version_json(version));
    }
    auto answer = version_json(*latest);
    answer["source"] = latest->source;
    answer["history"] = history;
    answer_json(response, answer);
}

void read_version(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    User user = studio.user(request);
    std::string name = file_name(request);
    auto found = studio.store.file_version(user.id, name, path_number(request.matches[2], "no such version"));
    if (!found) {
        throw HttpError(404, "no such version");
    }
    auto answer = version_json(*found);
    answer["source"] = found->source;
    answer_json(response, answer);
}

void list(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    User user = studio.user(request);
    auto files = nlohmann::json::array();
    for (const auto& file : studio.store.files_of(user.id)) {
        files.push_back({{"name", file.name}, {"version", file.version}, {"saved", iso_time(file.saved)}});
    }
    answer_json(response, {{"files", files}});
}

}  // namespace

void add_file_routes(httplib::Server& server, Studio& studio)
{
    auto route = [&studio](auto function) { return guarded_route(studio, function); };
    server.Get("/api/files", route(list));
    server.Put(R"(/api/files/([^/]*))", route(save));
    server.Get(R"(/api/files/([^/]*))", route(read));
    server.Get(R"(/api/files/([^/]*)/versions/([^/]+))", route(read_version));
}

}  // namespace tavro::studio
