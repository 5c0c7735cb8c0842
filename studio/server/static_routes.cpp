// The studio's own pages (built in), Debian's CodeMirror, and the package's examples.
#include "embedded_files.h"
#include "studio.h"

#include <fstream>
#include <sstream>

namespace tavro::studio {

namespace {

// The studio's pages run only their own files: no inline script, nothing from elsewhere.
// CodeMirror is served by the studio itself, under /codemirror/, so 'self' covers it.
constexpr const char* studio_policy = "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data:;"
                                      " connect-src 'self'; frame-src 'self'; font-src 'self'; base-uri 'none';"
                                      " form-action 'self'; frame-ancestors 'none'";

constexpr std::size_t max_codemirror_file = 4 << 20;

std::string_view content_type(std::string_view path)
{
    static const std::pair<std::string_view, std::string_view> types[] = {
        {".html", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".svg", "image/svg+xml"},
        {".png", "image/png"},
        {".ico", "image/x-icon"},
        {".json", "application/json"},
        {".txt", "text/plain; charset=utf-8"},
    };
    for (const auto& [extension, type] : types) {
        if (path.size() > extension.size() && path.substr(path.size() - extension.size()) == extension) {
            return type;
        }
    }
    return {};
}

void answer_file(httplib::Response& response, std::string_view path, std::string body, const char* caching)
{
    auto type = content_type(path);
    if (type.empty()) {
        throw HttpError(404, "no such file");
    }
    response.set_header("Content-Security-Policy", studio_policy);
    response.set_header("Cache-Control", caching);
    response.set_content(std::move(body), std::string(type));
}

void studio_page(const httplib::Request& request, httplib::Response& response)
{
    std::string_view path =
        request.path == "/" ? std::string_view("index.html") : std::string_view(request.path).substr(1);
    for (const auto& file : studio_pages()) {
        if (file.path == path) {
            answer_file(response, path, std::string(file.bytes()), "no-cache");
            return;
        }
    }
    throw HttpError(404, "no such page");
}

// A path under the CodeMirror folder: its parts are plain names (no "..", no hidden files),
// so that nothing outside the folder can be named.
void codemirror_file(Studio& studio, const httplib::Request& request, httplib::Response& response)
{
    std::string relative = request.matches[1];
    std::filesystem::path path = studio.options.codemirror;
    std::stringstream parts(relative);
    for (std::string part; std::getline(parts, part, '/');) {
        check_name(part, "path's part");
        path /= part;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) ||
        std::filesystem::file_size(path, error) > max_codemirror_file) {
        throw HttpError(404, "no such file");
    }
    std::ifstream in(path, std::ios::binary);
    std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    answer_file(response, relative, std::move(body), "max-age=86400");
}

std::string example_name(const EmbeddedFile& file)
{
    std::string_view path = file.path;
    return std::string(path.substr(0, path.size() - 4));
}

void examples(Studio&, const httplib::Request&, httplib::Response& response)
{
    auto list = nlohmann::json::array();
    for (const auto& file : package_examples()) {
        list.push_back({{"name", example_name(file)}});
    }
    answer_json(response, {{"examples", list}});
}

void example(Studio&, const httplib::Request& request, httplib::Response& response)
{
    for (const auto& file : package_examples()) {
        if (example_name(file) == request.matches[1]) {
            answer_json(response, {{"name", example_name(file)}, {"source", std::string(file.bytes())}});
            return;
        }
    }
    throw HttpError(404, "no such example");
}

}  // namespace

void add_static_routes(httplib::Server& server, Studio& studio)
{
    server.Get("/api/examples", guarded_route(studio, examples));
    server.Get(R"(/api/examples/([^/]+))", guarded_route(studio, example));
    server.Get(R"(/codemirror/(.+))", guarded_route(studio, codemirror_file));
    // Last: every other GET is one of the built-in pages or none.
    server.Get(R"(/.*)", guarded(studio_page));
}

}  // namespace tavro::studio
