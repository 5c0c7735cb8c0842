// A first Run of a 100-line program: the studio's page builder against building the same page
// by hand with em++ and `pkg-config tavro-web`, side by side, the two taking turns.
//   studio_run_bench PREFIX [RUNS]   (PREFIX: the installed web library; bench/studio_run_bench makes it)
#include "page_build.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using seconds = std::chrono::duration<double>;

// A hundred lines on the package: balls, a house and a sun. The seed makes each program new.
std::string program(int seed)
{
    std::ostringstream text;
    text << "// Balls bouncing in a garden, seed " << seed << ".\n#include <tavro/display.h>\n\n#include <cmath>\n"
         << "#include <vector>\n\nnamespace {\n\nconst int seed = " << seed << ";\n\n";
    text << R"(struct Ball {
    int x;
    int y;
    int dx;
    int dy;
    int radius;
    int colour;

    void step()
    {
        x += dx;
        y += dy;
        if (x + radius > 300 || x - radius < -300) {
            dx = -dx;
        }
        if (y + radius > 250 || y - radius < -250) {
            dy = -dy;
        }
    }
};

std::vector<Ball> make_balls(int count)
{
    std::vector<Ball> balls;
    for (int i = 0; i < count; ++i) {
        Ball ball{};
        ball.x = (i * 37 + seed) % 500 - 250;
        ball.y = (i * 53 + seed) % 400 - 200;
        ball.dx = 3 + i % 5;
        ball.dy = 2 + i % 7;
        ball.radius = 8 + i % 9;
        ball.colour = i % 2 == 0 ? COLOUR_ORANGE : COLOUR_WHITE;
        balls.push_back(ball);
    }
    return balls;
}

void draw_house(Display& display, int x, int y)
{
    display.draw_rectangle(x - 60, y - 50, x + 60, y + 30, COLOUR_RED, 0);
    plot_triangle(COLOUR_GREEN, x - 70, y + 30, x + 70, y + 30, x, y + 90, 0);
    display.draw_rectangle(x - 15, y - 50, x + 15, y, COLOUR_BLACK, 0);
    for (int window = -1; window <= 1; window += 2) {
        display.draw_rectangle(x + window * 40 - 12, y - 10, x + window * 40 + 12, y + 14, COLOUR_YELLOW, 0);
    }
}

void draw_sun(Display& display, long frame)
{
    display.draw_circle(200, 160, 40, COLOUR_YELLOW);
    for (int ray = 0; ray < 12; ++ray) {
        double angle = (ray * 30 + frame * 3 % 360) * 3.14159265 / 180.0;
        int x = 200 + static_cast<int>(std::cos(angle) * 60);
        int y = 160 + static_cast<int>(std::sin(angle) * 60);
        plot_line(COLOUR_YELLOW, 200, 160, x, y, 2);
    }
}

}  // namespace

int application_main()
{
    Display display;
    display.set_animation_mode(animation_animate);
    std::vector<Ball> balls = make_balls(12);
    long frames = 0;
    for (;;) {
        display.clear(COLOUR_NAVY_BLUE);
        draw_sun(display, frames);
        draw_house(display, -120, -100);
        for (const Ball& ball : balls) {
            display.draw_circle(ball.x, ball.y, ball.radius, ball.colour);
        }
        plot_text(COLOUR_WHITE, -290, 230, 10, "frame %ld, seed %d", frames, seed);
        int x = 0;
        int y = 0;
        char key = 0;
        switch (display.wait_for_event(x, y, key)) {
        case event_periodic:
            for (Ball& ball : balls) {
                ball.step();
            }
            ++frames;
            break;
        case event_mouse:
            balls.front().x = x;
            balls.front().y = y;
            break;
        case event_quit:
            return 0;
        default:
            break;
        }
    }
}
)";
    return text.str();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string load_average()
{
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// em++ as a user runs it: one command, the package's own flags.
double by_hand(const fs::path& prefix, const fs::path& folder, const std::string& source)
{
    std::ofstream(folder / "program.cpp") << source;
    const std::string command =
        "cd '" + folder.string() + "' && export PKG_CONFIG_PATH='" + (prefix / "lib/pkgconfig").string() +
        "' EMSDK_PYTHON=/usr/bin/python3 NODE_PATH=/usr/share/nodejs && em++ $(pkg-config --cflags "
        "tavro-web) program.cpp -o program.html $(pkg-config --libs tavro-web)";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double taken = seconds(std::chrono::steady_clock::now() - start).count();
    if (status != 0 || !fs::exists(folder / "program.html")) {
        std::cerr << "studio_run_bench: em++ by hand failed\n";
        std::exit(1);
    }
    return taken;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: studio_run_bench PREFIX [RUNS]\n";
        return 2;
    }
    const fs::path prefix = fs::absolute(argv[1]);
    const int runs = argc == 3 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path scratch = fs::temp_directory_path() / ("studio-run-bench-" + std::to_string(::getpid()));
    fs::create_directories(scratch / "hand");
    const auto builder = tavro::studio::make_page_builder({prefix, scratch / "studio"});
    std::cout << "cores " << std::thread::hardware_concurrency() << ", load average before " << load_average() << "\n";

    // The builder learns em++'s steps on its first build, once for the server's life.
    auto start = std::chrono::steady_clock::now();
    const auto first = builder->build(program(0), "garden.cpp");
    std::cout << "preparation and first build: " << seconds(std::chrono::steady_clock::now() - start).count() << " s\n";
    if (first.outcome != tavro::studio::PageBuild::Outcome::built) {
        std::cerr << "studio_run_bench: the studio's build failed: " << first.reason << "\n";
        return 1;
    }
    std::vector<double> hand, studio;
    std::size_t hand_size = 0, studio_size = 0;
    const int base = static_cast<int>(::getpid());
    for (int run = 0; run < runs; ++run) {
        const std::string source = program(base + run);
        hand.push_back(by_hand(prefix, scratch / "hand", source));
        hand_size = fs::file_size(scratch / "hand/program.html");
        start = std::chrono::steady_clock::now();
        const auto page = builder->build(source, "garden.cpp");
        studio.push_back(seconds(std::chrono::steady_clock::now() - start).count());
        if (page.outcome != tavro::studio::PageBuild::Outcome::built) {
            std::cerr << "studio_run_bench: the studio's build failed: " << page.reason << "\n";
            return 1;
        }
        studio_size = page.page.size();
        std::cout << "run " << run + 1 << ": by hand " << hand.back() << " s, studio " << studio.back() << " s\n";
    }
    const double hand_median = median(hand), studio_median = median(studio);
    std::cout << "median of " << runs << " first Runs of distinct 100-line programs: by hand (em++ -O3) " << hand_median
              << " s, studio " << studio_median << " s, ratio " << studio_median / hand_median << "\n"
              << "page size: by hand " << hand_size << " bytes, studio " << studio_size << " bytes\n"
              << "load average after " << load_average() << "\n";
    fs::remove_all(scratch);
    return 0;
}
