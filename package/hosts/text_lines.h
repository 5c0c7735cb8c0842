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
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

class TextLines {
public:
    explicit TextLines(std::size_t capacity = 0) : capacity_(capacity) {}

    // Once the window is full, the oldest line's storage takes the new one: a ring that stops
    // allocating, however many lines a logged run writes.
    void put(std::string_view line)
    {
        if (capacity_ == 0) {
            return;
        }
        if (lines_.size() < capacity_) {
            lines_.emplace_back(line);
            return;
        }
        lines_[first_].assign(line);
        first_ = (first_ + 1) % capacity_;
    }
    void clear()
    {
        lines_.clear();
        first_ = 0;
    }
    std::size_t size() const { return lines_.size(); }
    // 0 is the newest line.
    const std::string& from_newest(std::size_t index) const { return from_oldest(lines_.size() - 1 - index); }
    // 0 is the oldest line.
    const std::string& from_oldest(std::size_t index) const { return lines_[(first_ + index) % lines_.size()]; }

    // The lines oldest first, for range-for.
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string*;
        using reference = const std::string&;

        const_iterator(const TextLines* lines, std::size_t index) : lines_(lines), index_(index) {}
        reference operator*() const { return lines_->from_oldest(index_); }
        pointer operator->() const { return &lines_->from_oldest(index_); }
        const_iterator& operator++()
        {
            ++index_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++index_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }
        bool operator!=(const const_iterator& other) const { return index_ != other.index_; }

    private:
        const TextLines* lines_;
        std::size_t index_;
    };
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, lines_.size()); }

private:
    std::size_t capacity_;
    std::vector<std::string> lines_;
    std::size_t first_ = 0;  // the oldest line's slot
};

}  // namespace tavro
