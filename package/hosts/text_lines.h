// The lines a text window can show, newest last: shared by the desktop and the
// headless hosts.
//
// A logged frame can write tens of thousands of lines, so a line costs only a
// store here; the window draws the newest ones that fit when it is repainted or
// looked at. Only as many lines are kept as the window could show.
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
    explicit TextLines(std::size_t capacity = 0) : capacity_(capacity) {}

    void put(const std::string& line)
    {
        if (capacity_ == 0) {
            return;
        }
        if (lines_.size() < capacity_) {
            lines_.push_back(line);
            return;
        }
        // The oldest line's storage takes the new one, so a full window stops allocating.
        std::string reused = std::move(lines_.front());
        lines_.pop_front();
        reused.assign(line);
        lines_.push_back(std::move(reused));
    }
    void clear() { lines_.clear(); }
    std::size_t size() const { return lines_.size(); }
    // 0 is the newest line.
    const std::string& from_newest(std::size_t index) const { return lines_[lines_.size() - 1 - index]; }
    const std::deque<std::string>& oldest_first() const { return lines_; }

private:
    std::size_t capacity_;
    std::deque<std::string> lines_;
};

}  // namespace tavro
