#include "http_support.h"

namespace tavro::studio {

namespace {

const char* type_name(FieldType type)
{
    switch (type) {
    case FieldType::string:
        return "a string";
    case FieldType::string_list:
        return "a list of strings";
    case FieldType::integer:
        return "a number";
    }
    return "";
}

bool has_type(const nlohmann::json& value, FieldType type)
{
    switch (type) {
    case FieldType::string:
        return value.is_string();
    case FieldType::integer:
        return value.is_number_integer();
    case FieldType::string_list:
        if (!value.is_array()) {
            return false;
        }
        for (const auto& item : value) {
            if (!item.is_string()) {
                return false;
            }
        }
        return true;
    }
    return false;
}

}  // namespace

std::size_t utf8_length(const std::string& text, std::size_t at)
{
    auto byte = static_cast<unsigned char>(text[at]);
    std::size_t length = byte < 0x80           ? 1
                         : (byte >> 5) == 0x6  ? 2
                         : (byte >> 4) == 0xe  ? 3
                         : (byte >> 3) == 0x1e ? 4
                                               : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xc0) != 0x80) {
            return 0;
        }
    }
    return length;
}

nlohmann::json read_object(const httplib::Request& request, std::initializer_list<Field> fields)
{
    // No body at all reads as {}: a POST of nothing to do sends none.
    nlohmann::json body = nlohmann::json::object();
    try {
        if (!request.body.empty()) {
            body = nlohmann::json::parse(request.body);
        }
    } catch (const nlohmann::json::parse_error& error) {
        // Never the parser's own words: they quote the body, which may hold a password.
        throw HttpError(400, "the body is not valid JSON (at byte " + std::to_string(error.byte) + ")");
    }
    if (!body.is_object()) {
        throw HttpError(400, "the body is not a JSON object");
    }
    for (const auto& item : body.items()) {
        bool known = false;
        for (const auto& field : fields) {
            known = known || item.key() == field.name;
        }
        if (!known) {
            throw HttpError(400, "unknown field \"" + item.key().substr(0, 40) + "\"");
        }
    }
    for (const auto& field : fields) {
        auto found = body.find(field.name);
        if (found == body.end()) {
            if (field.required) {
                throw HttpError(400, std::string("the field \"") + field.name + "\" is missing");
            }
        } else if (!has_type(*found, field.type)) {
            throw HttpError(400, std::string("the field \"") + field.name + "\" must be " + type_name(field.type));
        }
    }
    return body;
}

void answer_json(httplib::Response& response, const nlohmann::json& body, int status)
{
    response.status = status;
    response.set_header("Cache-Control", "no-store");
    response.set_content(body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                         "application/json; charset=utf-8");
}

void answer_error(httplib::Response& response, int status, const std::string& message)
{
    answer_json(response, {{"error", message}}, status);
}

void check_name(const std::string& name, const char* what)
{
    auto fault = [&](const std::string& why) { throw HttpError(400, std::string("the ") + what + " " + why); };
    if (name.empty()) {
        fault("is empty");
    }
    if (name.size() > 64) {
        fault("is longer than 64 bytes");
    }
    for (std::size_t at = 0; at < name.size();) {
        std::size_t length = utf8_length(name, at);
        if (length == 0) {
            fault("is not UTF-8");
        }
        auto byte = static_cast<unsigned char>(name[at]);
        if (byte < 0x20 || byte == 0x7f) {
            fault("has a control character");
        }
        at += length;
    }
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) {
        fault("has a slash");
    }
    if (name.find("..") != std::string::npos) {
        fault("has \"..\"");
    }
    if (name.front() == ' ' || name.back() == ' ') {
        fault("starts or ends with a space");
    }
    if (name.front() == '.') {
        fault("starts with '.'");
    }
}

std::int64_t path_number(const std::string& text, const char* missing)
{
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) {
        throw HttpError(404, missing);
    }
    return std::stoll(text);
}

std::string cookie_value(const httplib::Request& request, const std::string& name)
{
    std::string cookies = request.get_header_value("Cookie");
    std::size_t at = 0;
    while (at < cookies.size()) {
        std::size_t end = cookies.find(';', at);
        if (end == std::string::npos) {
            end = cookies.size();
        }
        std::size_t start = cookies.find_first_not_of(' ', at);
        if (start < end && cookies.compare(start, name.size() + 1, name + "=") == 0) {
            return cookies.substr(start + name.size() + 1, end - start - name.size() - 1);
        }
        at = end + 1;
    }
    return {};
}

}  // namespace tavro::studio
