// Template host: the skeleton of a new platform, cut from the headless host. Copy this folder to
// hosts/<platform>/, rename the class, fill in each function with the platform's calls, and give
// the platform a library target in package/CMakeLists.txt that links it with the core and a
// canvas (see how tavro_headless is made). The build compiles this file as it is, so that it
// keeps up with the seam; no program links it.
//
// Implements Host (seam/host.h) over QueueHost, which keeps the queue of neutral messages and
// does posting, quitting, dispatch and the default handling of declined messages. The platform
// turns its own events into Messages (seam/messages.h) and posts them; it never changes the
// package's state itself.
//
// Dependencies: the seam and an image canvas (canvas/image_canvas.h gives the build's one; a
// platform with an image of its own implements Canvas, seam/canvas.h, instead).
//
// Known limits of the template: no window, input or clock of a platform; the dialog gives an
// empty reply.
#include "canvas/image_canvas.h"
#include "hosts/queue_host.h"

#include <ctime>

namespace tavro {

namespace {

class TemplateHost final : public QueueHost {
public:
    // The screen the windows are placed on: the text window takes its lower third.
    int screen_width() override { return 1024; }
    int screen_height() override { return 768; }

    // Create the platform's window (title "TAVRO Graphics", not sizable), then tell the queue:
    // graphics_window_created() delivers the create message, which builds the Run menu.
    void create_graphics_window(int, int, int, int) override
    {
        graphics_exists_ = true;
        graphics_window_created();
    }
    // Create the text window (title "TAVRO Text", sizable), hidden until shown.
    void create_text_window(int, int, int, int) override {}
    // Show or hide a window; the first showing of the graphics window must deliver its size
    // message before returning, which graphics_window_shown() does.
    void show_window(WindowId window, int show_command) override
    {
        if (window == WindowId::graphics && show_command != SHOW_HIDE && graphics_exists_) {
            graphics_window_shown();
        }
    }
    Canvas& image() override { return *canvas_; }
    // Start a periodic timer that posts MessageKind::timer with this id every period_ms.
    void start_timer(int, int) override {}

    // Block until a message can be taken. A real platform sleeps in its event loop; one with no
    // input at all (as here) must not block for ever: it ends the run.
    void wait_for_message(bool) override
    {
        if (queue().empty()) {
            post_quit(0);
        }
    }

    // Show the menu bar with one popup of these items; set or clear one item's check mark.
    void build_menu(const char*, const MenuItem*, int) override {}
    void check_menu_item(int, bool) override {}

    // Repaints: begin_paint clears the window's invalid area; present() copies the whole image
    // (image().pixel_rows()) to the graphics window at (0, 0).
    void begin_paint(WindowId) override {}
    void present() override {}

    // Scroll the text window up one line and draw text in the new bottom line.
    void text_put_line(const char*) override {}

    // Run the modal dialog "TAVRO_gets" with message; copy the reply and return 1, or return 0
    // when it cannot be shown.
    int run_prompt_dialog(const char*, char* reply, std::size_t reply_size) override
    {
        if (reply_size > 0) {
            reply[0] = '\0';
        }
        return 1;
    }

    // Whole seconds since 1970.
    long long current_time() override { return static_cast<long long>(std::time(nullptr)); }

private:
    // Destroy the window when it exists (closing the graphics window ends the run).
    bool destroy_window(WindowId window) override
    {
        const bool existed = window == WindowId::graphics && graphics_exists_;
        graphics_exists_ = graphics_exists_ && !existed;
        return existed;
    }

    std::unique_ptr<Canvas> canvas_ = make_image_canvas();
    bool graphics_exists_ = false;
};

}  // namespace

// The one host of the executable: the core asks for it by this function.
Host& platform_host()
{
    static TemplateHost host;
    return host;
}

}  // namespace tavro
