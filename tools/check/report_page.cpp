#include "check/report_page.h"

#include <algorithm>
#include <sstream>

namespace tavro {

namespace {

const char* const STYLE = R"(
body { font-family: sans-serif; margin: 2em; color: #222; }
table { border-collapse: collapse; margin-bottom: 2em; }
td, th { padding: 0.2em 0.8em; text-align: left; border-bottom: 1px solid #ddd; }
.verdict { padding: 0.1em 0.5em; border-radius: 0.3em; color: white; font-weight: bold; }
.pass { background: #1a7f37; }
.fail { background: #c62828; }
section { border-top: 1px solid #bbb; padding-top: 0.5em; margin-bottom: 1.5em; }
h2 { font-size: 1.2em; margin: 0.3em 0; }
.folder { color: #666; font-size: 0.9em; }
pre { background: #f4f4f4; padding: 0.5em; overflow-x: auto; }
figure { display: inline-block; margin: 0 1em 1em 0; }
img { border: 1px solid #999; image-rendering: pixelated; }
)";

std::string line_without_return(std::string line)
{
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

std::string verdict_word(const Verdict& verdict) { return verdict.passed ? "pass" : "fail"; }

void write_check(std::ostream& page, const CheckResult& check, std::size_t number)
{
    const std::string word = verdict_word(check.verdict);
    page << "<section id=\"check-" << number << "\" class=\"check\">\n<h2><span class=\"name\">"
         << html_escaped(check.name) << "</span> <span class=\"verdict " << word << "\">" << word
         << "</span></h2>\n<p class=\"folder\">" << html_escaped(check.folder) << "</p>\n<p class=\"reason\">"
         << html_escaped(check.verdict.reason) << "</p>\n";
    if (!check.verdict.details.empty()) {
        page << "<pre>" << html_escaped(check.verdict.details) << "</pre>\n";
    }
    for (const std::string& note : check.notes) {
        page << "<p class=\"note\">" << html_escaped(note) << "</p>\n";
    }
    for (const ShownPicture& picture : check.pictures) {
        page << "<figure><img alt=\"" << html_escaped(picture.caption) << "\" src=\"data:image/png;base64,"
             << base64(picture.png) << "\"><figcaption>" << html_escaped(picture.caption) << "</figcaption></figure>\n";
    }
    page << "</section>\n";
}

}  // namespace

std::optional<Verdict> parse_verdict(const std::string& text, std::string& problem)
{
    std::istringstream lines(text);
    std::string first;
    std::string second;
    std::getline(lines, first);
    std::getline(lines, second);
    first = line_without_return(first);
    second = line_without_return(second);
    Verdict verdict;
    if (first != "verdict: pass" && first != "verdict: fail") {
        problem = "its first line is not 'verdict: pass' or 'verdict: fail'";
        return std::nullopt;
    }
    if (second.rfind("reason: ", 0) != 0) {
        problem = "its second line is not 'reason: ...'";
        return std::nullopt;
    }
    verdict.passed = first == "verdict: pass";
    verdict.reason = second.substr(8);
    std::getline(lines, verdict.details, '\0');
    while (!verdict.details.empty() && (verdict.details.back() == '\n' || verdict.details.back() == '\r')) {
        verdict.details.pop_back();
    }
    return verdict;
}

std::string html_escaped(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string base64(const std::string& bytes)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string encoded;
    encoded.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 3; ++j) {
            group = group << 8 | (j < count ? static_cast<unsigned char>(bytes[i + j]) : 0u);
        }
        for (std::size_t j = 0; j < 4; ++j) {
            encoded += j <= count ? digits[(group >> (18 - 6 * j)) & 0x3F] : '=';
        }
    }
    return encoded;
}

std::string report_page(std::vector<CheckResult> checks)
{
    std::sort(checks.begin(), checks.end(), [](const CheckResult& a, const CheckResult& b) {
        return a.name != b.name ? a.name < b.name : a.folder < b.folder;
    });
    const auto passed =
        std::count_if(checks.begin(), checks.end(), [](const CheckResult& check) { return check.verdict.passed; });
    std::ostringstream page;
    page << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>TAVRO checks</title>\n"
         << "<style>" << STYLE << "</style>\n</head>\n<body>\n<h1>TAVRO checks</h1>\n<p id=\"summary\">"
         << checks.size() << (checks.size() == 1 ? " check, " : " checks, ") << passed << " passed, "
         << checks.size() - static_cast<std::size_t>(passed) << " failed</p>\n<table>\n"
         << "<tr><th>check</th><th>folder</th><th>verdict</th><th>reason</th></tr>\n";
    for (std::size_t i = 0; i < checks.size(); ++i) {
        const std::string word = verdict_word(checks[i].verdict);
        page << "<tr><td><a href=\"#check-" << i + 1 << "\">" << html_escaped(checks[i].name) << "</a></td><td>"
             << html_escaped(checks[i].folder) << "</td><td><span class=\"verdict " << word << "\">" << word
             << "</span></td><td>" << html_escaped(checks[i].verdict.reason) << "</td></tr>\n";
    }
    page << "</table>\n";
    for (std::size_t i = 0; i < checks.size(); ++i) {
        write_check(page, checks[i], i + 1);
    }
    page << "</body>\n</html>\n";
    return page.str();
}

}  // namespace tavro
