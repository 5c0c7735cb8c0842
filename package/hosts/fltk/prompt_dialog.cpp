// FLTK desktop host: the modal text-input dialog "TAVRO_gets".
//
// Dependencies: FLTK (Fl_Window, Fl_Multiline_Input, Fl_Return_Button, fl_draw).
// Known limits: see prompt_dialog.h.
#include "hosts/fltk/prompt_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Multiline_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace tavro {

namespace {

constexpr int DIALOG_X = 50;
constexpr int DIALOG_Y = 50;
constexpr int DIALOG_WIDTH = 370;
constexpr int DIALOG_HEIGHT = 184;
constexpr int MARGIN = 16;
constexpr int REPLY_LIMIT = 255;

// The message, wrapped, with '@' and '&' shown as they are (no FLTK symbols).
class MessageText final : public Fl_Widget {
public:
    MessageText(int x, int y, int width, int height, const char* text) : Fl_Widget(x, y, width, height), text_(text) {}

    void draw() override
    {
        fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
        fl_color(FL_FOREGROUND_COLOR);
        fl_draw(text_.c_str(), x(), y(), w(), h(), FL_ALIGN_TOP_LEFT | FL_ALIGN_WRAP | FL_ALIGN_INSIDE, nullptr, 0);
    }

private:
    std::string text_;
};

// A text box that leaves Enter to the dialog, which presses its default button.
class ReplyBox final : public Fl_Multiline_Input {
public:
    using Fl_Multiline_Input::Fl_Multiline_Input;

    int handle(int event) override
    {
        if (event == FL_KEYBOARD && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
            return 0;
        }
        return Fl_Multiline_Input::handle(event);
    }
};

class PromptDialog final : public Fl_Window {
public:
    explicit PromptDialog(const char* message)
        : Fl_Window(DIALOG_X, DIALOG_Y, DIALOG_WIDTH, DIALOG_HEIGHT, "TAVRO_gets"),
          reply_(new ReplyBox(MARGIN, 60, DIALOG_WIDTH - 2 * MARGIN, 74)),
          okay_(new Fl_Return_Button((DIALOG_WIDTH - 100) / 2, 146, 100, 28, "Okay"))
    {
        new MessageText(MARGIN, 6, DIALOG_WIDTH - 2 * MARGIN, 48, message);  // owned by this window
        end();
        reply_->maximum_size(REPLY_LIMIT);
        okay_->callback(on_okay, this);
        // Escape and the close box call the window's callback: they do nothing.
        callback(ignore_close);
        set_modal();
    }

    bool answered() const { return answered_; }
    const char* reply() const { return reply_->value(); }

    int handle(int event) override
    {
        if (event == FL_KEYBOARD && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
            okay_->do_callback();
            return 1;
        }
        return Fl_Window::handle(event);
    }

private:
    static void on_okay(Fl_Widget*, void* data) { static_cast<PromptDialog*>(data)->answered_ = true; }
    static void ignore_close(Fl_Widget*, void*) {}

    Fl_Multiline_Input* reply_;  // owned by this window (an FLTK group)
    Fl_Return_Button* okay_;     // owned by this window
    bool answered_ = false;
};

}  // namespace

int run_prompt_dialog_window(const char* message, char* reply, std::size_t reply_size)
{
    auto dialog = std::make_unique<PromptDialog>(message != nullptr ? message : "");
    dialog->show();
    if (!dialog->shown()) {
        return 0;
    }
    while (!dialog->answered() && dialog->shown()) {
        Fl::wait();
    }
    if (reply != nullptr && reply_size > 0) {
        const std::size_t length = std::min(std::strlen(dialog->reply()), reply_size - 1);
        std::memcpy(reply, dialog->reply(), length);
        reply[length] = '\0';
    }
    return 1;
}

}  // namespace tavro
