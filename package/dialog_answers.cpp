#include "dialog_answers.h"

#include "control.h"

#include <algorithm>
#include <cstring>

const char* const NO_ANSWER_LEFT_LINE = "TAVRO_gets: no answer left, the reply is empty";

DialogAnswers DialogAnswers::from_lines(const std::string& text)
{
    DialogAnswers answers;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (end < text.size() && !line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        answers.add(std::move(line));
        start = end + 1;
    }
    return answers;
}

void DialogAnswers::answer(char* reply, std::size_t reply_size)
{
    std::string next;
    if (left_.empty()) {
        tavro::control::say_no_answer_left();
    } else {
        next = std::move(left_.front());
        left_.pop_front();
    }
    if (reply != nullptr && reply_size > 0) {
        const std::size_t length = std::min(next.size(), reply_size - 1);
        std::memcpy(reply, next.data(), length);
        reply[length] = '\0';
    }
}
