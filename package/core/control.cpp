#include "core/control.h"

#include "core/colours.h"
#include "core/dialog_answers.h"
#include "core/session.h"

namespace tavro::control {

Message switch_logging() { return Message{WindowId::graphics, MessageKind::command, COMMAND_LOGGING}; }

Message switch_playback() { return Message{WindowId::graphics, MessageKind::command, COMMAND_PLAYBACK}; }

Message quit() { return Message{WindowId::graphics, MessageKind::command, COMMAND_QUIT}; }

bool asks_to_quit(const Message& message)
{
    return message.kind == MessageKind::command && message.param == COMMAND_QUIT;
}

void set_playback_file(const std::string& path) { session().script.set_playback_file(path); }

void reset_playback_file() { set_playback_file(SCRIPT_FILE_NAME); }

const char* script_file_name() { return SCRIPT_FILE_NAME; }

void say_no_answer_left() { session().text.printf("%s\n", NO_ANSWER_LEFT_LINE); }

void observe_waits(WaitObserver observer) { session().wait.observe(std::move(observer)); }

long long drawings() { return session().windows.drawings(); }

bool playback_on() { return session().script.playing(); }

bool recording_lost_lines() { return session().script.lines_lost(); }

Rgb named_colour(int index) { return colour_values[index]; }

}  // namespace tavro::control
