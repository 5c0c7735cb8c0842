// The TAVRO graphics package: the one Display of a program, its event wait,
// the 24 named colours and the plain drawing functions.
#pragma once

#include <ctime>

// Has the compiler check plot_text's format against its arguments where it can; compilers
// without the attribute take the declaration without it.
#if defined(__has_attribute)
#if __has_attribute(format)
#define TAVRO_PRINTF_FORMAT(format_index, first_argument) __attribute__((format(printf, format_index, first_argument)))
#endif
#endif
#ifndef TAVRO_PRINTF_FORMAT
#define TAVRO_PRINTF_FORMAT(format_index, first_argument)
#endif

enum EventKind {
    event_none = -1,  // used inside the wait only
    event_mouse = 1,
    event_keyboard = 2,
    event_periodic = 3,
    event_quit = 4,
};

// The modes set_animation_mode takes.
enum AnimationMode {
    animation_halt = 0,
    animation_one_frame = 1,
    animation_animate = 2,
    animation_quit = 3,
};

constexpr int COLOUR_BLACK = 0;
constexpr int COLOUR_WHITE = 1;
constexpr int COLOUR_RED = 2;
constexpr int COLOUR_GREEN = 3;
constexpr int COLOUR_BLUE = 4;
constexpr int COLOUR_YELLOW = 5;
constexpr int COLOUR_MAGENTA = 6;
constexpr int COLOUR_CYAN = 7;
constexpr int COLOUR_PURPLE = 8;
constexpr int COLOUR_NAVY_BLUE = 9;
constexpr int COLOUR_DUSTY_PLUM = 10;
constexpr int COLOUR_ICE_BLUE = 11;
constexpr int COLOUR_TURQUOISE = 12;
constexpr int COLOUR_ORANGE = 13;
constexpr int COLOUR_BROWN = 14;
constexpr int COLOUR_PINK = 15;
constexpr int COLOUR_CHALK = 16;
constexpr int COLOUR_GOLD = 17;
constexpr int COLOUR_PEACH = 18;
constexpr int COLOUR_FOREST_GREEN = 19;
constexpr int COLOUR_SEA_GREEN = 20;
constexpr int COLOUR_OLIVE = 21;
constexpr int COLOUR_GRAY_50 = 22;
constexpr int COLOUR_GRAY_20 = 23;
constexpr int COLOUR_COUNT = 24;

// The application's handle on the package. Exactly one may exist per process.
class Display {
public:
    Display();
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Shows the frame just drawn, then starts a new one filled with colour.
    void clear(int colour);
    int wait_for_event(int& x, int& y, char& key);
    // An AnimationMode: halt, one frame (while animating, no change), animate, quit (run mode 5,
    // which 5 also sets); any other value changes nothing.
    void set_animation_mode(int mode);

    int draw_text(int x, int y, const char* text, int colour, int point_size);
    int draw_pixel(int x, int y, int colour);
    int draw_line(int x1, int y1, int x2, int y2, int colour, int pen_width);
    int draw_rectangle(int x1, int y1, int x2, int y2, int colour, int pen_width);
    int draw_triangle(int x1, int y1, int x2, int y2, int x3, int y3, int colour, int pen_width);
    int draw_oval(int x1, int y1, int x2, int y2, int colour, int pen_width);
    int draw_circle(int x, int y, int radius, int colour);

    int width;
    int height;
};

// Plain drawing functions, colour first. Width 0 means a filled shape (a one-pixel line).
int plot_pixel(int colour, int x, int y);
int plot_line(int colour, int x1, int y1, int x2, int y2, int width);
int plot_rectangle(int colour, int x1, int y1, int x2, int y2, int width);
int plot_triangle(int colour, int x1, int y1, int x2, int y2, int x3, int y3, int width);
int plot_oval(int colour, int x1, int y1, int x2, int y2, int width);
int plot_circle(int colour, int x, int y, int radius);
int plot_text(int colour, int x, int y, int point_size, const char* format, ...) TAVRO_PRINTF_FORMAT(5, 6);
int plot_text_string(int colour, int x, int y, int point_size, const char* text);
int flush_graphics();
int clear_graphics();

// The modal text-input dialog "TAVRO_gets": shows message (its first 79 characters) with a text box
// and an "Okay" button, and copies what the user typed (at most 255 characters and a terminator)
// into reply, which must hold PROMPT_REPLY_SIZE bytes. Returns 1 when the dialog ran, 0 when it
// could not be made (reply is then left as it was).
constexpr int PROMPT_REPLY_SIZE = 256;
int prompt_dialog(const char* message, char* reply);

// The current time in whole seconds since 1970, as the host's clock gives it (virtual on the
// headless host): 64 bits on every host, so that it runs past 2038 in the browser too.
long long tavro_time();

// The application's main routine: the package's process entry calls it once.
int application_main();
