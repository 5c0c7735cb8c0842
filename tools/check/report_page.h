// The class report's page: every check's verdict on one self-contained HTML page, its pictures
// inline as data: URIs and its style inline, so that the one file can be mailed or opened anywhere.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavro {

// What a check's run leaves in NAME.verdict:
//   verdict: pass (or fail)
//   reason: one line
//   any further lines (tavro-check's own output for the check)
struct Verdict {
    bool passed = false;
    std::string reason;
    std::string details;
};

// The verdict in the text of a verdict file; on a problem returns nothing and sets problem.
std::optional<Verdict> parse_verdict(const std::string& text, std::string& problem);

struct ShownPicture {
    std::string caption;
    std::string png;  // the file's bytes
};

struct CheckResult {
    std::string name;
    std::string folder;  // where its verdict file lies
    Verdict verdict;
    std::vector<ShownPicture> pictures;
    std::vector<std::string> notes;  // why a picture could not be shown
};

// Text with &, <, >, " and ' as HTML character references.
std::string html_escaped(const std::string& text);
std::string base64(const std::string& bytes);

// The page, the checks sorted by name, then by folder.
std::string report_page(std::vector<CheckResult> checks);

}  // namespace tavro
