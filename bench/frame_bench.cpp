// The cost of a city frame, a snow frame, a tick and a GIF frame, each beside the
// floor it is judged against: plain stores into an image of the canvas's size.
// Divide a package case by its floor case to read how far it is from the hardware.
#include "canvas/cairo/cairo_canvas.h"
#include "bench_town.h"
#include "render/gif_writer.h"
#include "hosts/headless/headless_driver.h"
#include <tavro/display.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

using namespace tavro;

namespace {

constexpr int FLAKE_LENGTH = 4;
constexpr std::size_t IMAGE_WIDTH = tavro::Canvas::WIDTH;

// An image of the canvas's size as plain memory, for the floors.
std::vector<std::uint32_t> plain_image() { return std::vector<std::uint32_t>(IMAGE_WIDTH * tavro::Canvas::HEIGHT, 0); }

// Floor of the snow: the flakes' four-pixel vertical lines as plain stores.
void floor_flake_lines(benchmark::State& state)
{
    const City& city = *town().city;
    std::vector<std::uint32_t> image = plain_image();
    for (auto _ : state) {
        for (int j = 0; j < FLAKE_COUNT; ++j) {
            std::uint32_t* pixel =
                &image[std::size_t(300 + city.flake_x[j]) + std::size_t(250 - city.flake_y[j]) * IMAGE_WIDTH];
            for (int k = 0; k < FLAKE_LENGTH; ++k) {
                pixel[k * IMAGE_WIDTH] = 0xFFFFFF;
            }
        }
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(floor_flake_lines)->Unit(benchmark::kMicrosecond);

// Floor of a frame: every pixel of the drawing area written once.
void floor_fill_drawing_area(benchmark::State& state)
{
    std::vector<std::uint32_t> image = plain_image();
    std::uint32_t value = 0;
    for (auto _ : state) {
        std::fill(image.begin(), image.begin() + IMAGE_WIDTH * tavro::CLIENT_HEIGHT, ++value);
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(floor_fill_drawing_area)->Unit(benchmark::kMicrosecond);

// The extra cost of a snow frame: its 10,000 flakes, as the frame draws them.
void snow_flakes(benchmark::State& state)
{
    const City& city = *town().city;
    for (auto _ : state) {
        for (int j = 0; j < FLAKE_COUNT; ++j) {
            plot_line(COLOUR_WHITE, city.flake_x[j], city.flake_y[j], city.flake_x[j], city.flake_y[j] - FLAKE_LENGTH,
                      1);
        }
    }
}
BENCHMARK(snow_flakes)->Unit(benchmark::kMicrosecond);

void frame_without_snow(benchmark::State& state)
{
    Town& t = town();
    t.city->snow_active = false;
    for (auto _ : state) {
        draw_frame(*t.city, t.display, t.traffic);
    }
}
BENCHMARK(frame_without_snow)->Unit(benchmark::kMicrosecond);

void frame_with_snow(benchmark::State& state)
{
    Town& t = town();
    t.city->snow_active = true;
    for (auto _ : state) {
        draw_frame(*t.city, t.display, t.traffic);
    }
    t.city->snow_active = false;
}
BENCHMARK(frame_with_snow)->Unit(benchmark::kMicrosecond);

// The benchmarks that tick run a fixed number of times, in this order, so that
// every build sees the same traffic.
constexpr int TICKS_TIMED = 1000;

// A tick and its frame, no snow, no output: what an animating run does per tick.
void tick_and_frame(benchmark::State& state)
{
    Town& t = town();
    for (auto _ : state) {
        periodic_tick(*t.city, t.traffic);
        draw_frame(*t.city, t.display, t.traffic);
    }
}
BENCHMARK(tick_and_frame)->Unit(benchmark::kMicrosecond)->Iterations(TICKS_TIMED);

// The extra cost of a GIF frame: storing consecutive ticks' frames (the ticks themselves untimed).
void gif_frame(benchmark::State& state)
{
    Town& t = town();
    const tavro::Canvas& canvas = tavro::headless_driver().canvas();
    GifWriter writer("/dev/null", tavro::CLIENT_WIDTH, tavro::CLIENT_HEIGHT, 10);
    draw_frame(*t.city, t.display, t.traffic);
    writer.add_frame(canvas);
    for (auto _ : state) {
        state.PauseTiming();
        periodic_tick(*t.city, t.traffic);
        draw_frame(*t.city, t.display, t.traffic);
        state.ResumeTiming();
        writer.add_frame(canvas);
    }
}
BENCHMARK(gif_frame)->Unit(benchmark::kMicrosecond)->Iterations(TICKS_TIMED);

}  // namespace

BENCHMARK_MAIN();
