// What every route shares: one-line errors, JSON bodies read strictly, names checked, the
// session cookie.
#pragma once

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <initializer_list>
#include <stdexcept>
#include <string>

namespace tavro::studio {

// Ends a request with its status and one line, as {"error": message}.
class HttpError : public std::runtime_error {
public:
    HttpError(int status, const std::string& message) : std::runtime_error(message), status_(status) {}
    int status() const { return status_; }

private:
    int status_;
};

enum class FieldType { string, string_list, integer };

struct Field {
    const char* name;
    FieldType type;
    bool required = true;
};

// The body as a JSON object with these fields and no others, each of its type.
nlohmann::json read_object(const httplib::Request& request, std::initializer_list<Field> fields);

void answer_json(httplib::Response& response, const nlohmann::json& body, int status = 200);
void answer_error(httplib::Response& response, int status, const std::string& message);

// A name a user gives (login, class, file): 1 to 64 bytes of UTF-8, no control characters,
// no '/', '\\' or "..", no space at either end, not starting with '.'. Throws 400 naming the fault.
// The length of the UTF-8 sequence starting at text[at], or 0 when it is not one.
std::size_t utf8_length(const std::string& text, std::size_t at);

void check_name(const std::string& name, const char* what);

// The number in a path's part, or 404 with `missing`.
std::int64_t path_number(const std::string& text, const char* missing);

constexpr const char* session_cookie = "tavro_session";
std::string cookie_value(const httplib::Request& request, const std::string& name);

}  // namespace tavro::studio
