#include "core/dialog_answers.h"

#include "core/control.h"
#include "support/split_lines.h"

#include <algorithm>
#include <cstring>

namespace tavro {

const char* const NO_ANSWER_LEFT_LINE = "TAVRO_gets: no answer left, the reply is empty";

std::optional<std::string> DialogAnswers::take()
{
    if (left_.empty()) {
        return std::nullopt;
    }
    std::string next = std::move(left_.front());
    left_.pop_front();
    return next;
}

DialogAnswers DialogAnswers::from_lines(const std::string& text)
{
    DialogAnswers answers;
    for (std::string& line : split_lines(text)) {
        answers.add(std::move(line));
    }
    return answers;
}

void DialogAnswers::answer(char* reply, std::size_t reply_size)
{
    const std::optional<std::string> taken = take();
    if (!taken) {
        control::say_no_answer_left();
    }
    const std::string next = taken.value_or("");
    if (reply != nullptr && reply_size > 0) {
        const std::size_t length = std::min(next.size(), reply_size - 1);
        std::memcpy(reply, next.data(), length);
        reply[length] = '\0';
    }
}

}  // namespace tavro
