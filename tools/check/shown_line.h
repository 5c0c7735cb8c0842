// A transcript line as tavro-check shows it beside the line it differs from: invisible
// characters written out, and a long line cut to a window around where the two first differ.
#pragma once

#include <string>

namespace tavro {

// About how many characters of a long line are shown.
constexpr std::size_t LINE_SHOWN = 200;

// line with a tab, a carriage return, a NUL and other control characters shown as \t, \r, \0
// and \xNN, a backslash as \\ and trailing spaces as \x20; when longer than LINE_SHOWN, only
// the part around the first difference from other, marked "..." where cut and followed by the
// line's length.
std::string shown_line(const std::string& line, const std::string& other);

}  // namespace tavro
