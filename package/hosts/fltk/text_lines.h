// FLTK desktop host: the lines the text window can show, newest last.
//
// A logged frame can write tens of thousands of lines, so a line costs only a
// store here; the window draws the newest ones that fit when it is repainted.
// Only as many lines are kept as the tallest window could show.
//
// Dependencies: none.
// Known limits: lines scrolled out of reach are gone; the package replays its
// own history on repaint.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace tavro {

class TextLines {
public:
    explicit TextLines(std::size_t capacity) : capacity_(capacity) {}

    void put(const std::string& line);
    void clear() { lines_.clear(); }
    std::size_t size() const { return lines_.size(); }
    // 0 is the newest line.
    const std::string& from_newest(std::size_t index) const { return lines_[lines_.size() - 1 - index]; }

private:
    std::size_t capacity_;
    std::deque<std::string> lines_;
};

}  // namespace tavro
