// Animation: a ball bouncing inside the drawing area. While the animation runs, the wait
// returns a periodic event ten times a second; Ctrl+H (halt) stops it, Ctrl+A (animate)
// starts it again and Ctrl+F advances one frame. A click moves the ball there.
#include <tavro/display.h>

namespace {

struct Ball {
    int x = 0;
    int y = 0;
    int dx = 7;
    int dy = 5;
    static constexpr int radius = 15;

    void step()
    {
        x += dx;
        y += dy;
        // Bounce off the edges of the 600 x 500 area around the centre.
        if (x + radius > 300 || x - radius < -300) {
            dx = -dx;
        }
        if (y + radius > 250 || y - radius < -250) {
            dy = -dy;
        }
    }
};

}  // namespace

int application_main()
{
    Display display;
    display.set_animation_mode(animation_animate);  // periodic events from now on
    Ball ball;
    long frames = 0;
    for (;;) {
        display.clear(COLOUR_NAVY_BLUE);
        display.draw_circle(ball.x, ball.y, Ball::radius, COLOUR_ORANGE);
        plot_text(COLOUR_WHITE, -290, 230, 10, "frame %ld  (Ctrl+H halts, Ctrl+A animates)", frames);

        int x = 0;
        int y = 0;
        char key = 0;
        switch (display.wait_for_event(x, y, key)) {
        case event_periodic:
            ball.step();
            ++frames;
            break;
        case event_mouse:
            ball.x = x;
            ball.y = y;
            break;
        case event_quit:
            return 0;
        default:
            break;
        }
    }
}
