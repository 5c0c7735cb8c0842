// Replies given ahead to the dialog "TAVRO_gets", so that a run with no one at the keyboard can
// answer it (the render entry's answers, the page's answers=). They are taken in order; with none
// left the reply is empty, and the text window says so in one line, so a transcript shows it.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace tavro {

// The text window's line for a dialog that found no answer left.
extern const char* const NO_ANSWER_LEFT_LINE;

class DialogAnswers {
public:
    // One answer a line, as an answers file holds them: a last line without a line feed counts,
    // a carriage return ending a line (written on Windows) is no part of it.
    static DialogAnswers from_lines(const std::string& text);

    void add(std::string answer) { left_.push_back(std::move(answer)); }
    std::size_t left() const { return left_.size(); }
    // Copies the next answer into reply, cut to reply_size - 1 bytes and terminated; with none
    // left, an empty reply and NO_ANSWER_LEFT_LINE in the text window.
    void answer(char* reply, std::size_t reply_size);
    // The next answer, taken; nothing when none is left.
    std::optional<std::string> take();

private:
    std::deque<std::string> left_;
};

}  // namespace tavro
