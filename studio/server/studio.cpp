#include "studio.h"

#include <cstring>

namespace tavro::studio {

User Studio::user(const httplib::Request& request)
{
    auto id = sessions.user_of(cookie_value(request, session_cookie));
    auto found = id ? store.user_by_id(*id) : std::nullopt;
    if (!found) {
        throw HttpError(401, "sign in first");
    }
    return *found;
}

User Studio::teacher(const httplib::Request& request)
{
    User signed_in = user(request);
    if (signed_in.role != Role::teacher) {
        throw HttpError(403, "only a teacher may do this");
    }
    return signed_in;
}

httplib::Server::Handler guarded(std::function<void(const httplib::Request&, httplib::Response&)> handler)
{
    return [handler = std::move(handler)](const httplib::Request& request, httplib::Response& response) {
        try {
            handler(request, response);
        } catch (const HttpError& error) {
            answer_error(response, error.status(), error.what());
        } catch (const StoreError& error) {
            bool full = std::strstr(error.what(), "full") != nullptr;
            answer_error(response, full ? 507 : 500, full ? "the disk is full: nothing was saved" : error.what());
        } catch (const std::exception& error) {
            answer_error(response, 500, std::string("internal error: ") + error.what());
        } catch (...) {
            answer_error(response, 500, "internal error");
        }
    };
}

}  // namespace tavro::studio
