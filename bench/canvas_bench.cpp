// The Cairo canvas beside the pixel canvas on the same city: a frame without
// snow, a frame with snow (10,000 flakes, each a short vertical line), and the
// flakes alone. Both canvases draw the same calls in the same process.
#include "canvas/cairo/cairo_canvas.h"
#include "canvas_redirect.h"
#include "bench_town.h"
#include "hosts/headless/headless_host.h"
#include "canvas/pixels/pixel_canvas.h"
#include <tavro/display.h>

#include <benchmark/benchmark.h>

#include <memory>

using namespace tavro;

namespace {

constexpr int FLAKE_LENGTH = 4;

tavro::PixelCanvas& pixel_canvas()
{
    static tavro::PixelCanvas canvas;
    return canvas;
}

enum class Drawing { cairo, pixels };

tavro::Canvas& canvas_of(Drawing drawing)
{
    if (drawing == Drawing::pixels) {
        return pixel_canvas();
    }
    return tavro::headless_host().canvas();
}

// The frame drawn and its image brought up to date, as a host needs it before showing it.
void settle(Drawing drawing)
{
    benchmark::DoNotOptimize(drawing == Drawing::pixels ? pixel_canvas().pixel_rows().data
                                                        : tavro::headless_host().canvas().pixel_rows().data);
}

void frame(benchmark::State& state, Drawing drawing, bool snow)
{
    Town& t = town();
    const CanvasRedirect redirect(canvas_of(drawing));
    t.city->snow_active = snow;
    for (auto _ : state) {
        draw_frame(*t.city, t.display, t.traffic);
        settle(drawing);
    }
    t.city->snow_active = false;
}
BENCHMARK_CAPTURE(frame, without_snow_cairo, Drawing::cairo, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(frame, without_snow_pixels, Drawing::pixels, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(frame, with_snow_cairo, Drawing::cairo, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(frame, with_snow_pixels, Drawing::pixels, true)->Unit(benchmark::kMicrosecond);

void snow_flakes(benchmark::State& state, Drawing drawing)
{
    const City& city = *town().city;
    const CanvasRedirect redirect(canvas_of(drawing));
    for (auto _ : state) {
        for (int j = 0; j < FLAKE_COUNT; ++j) {
            plot_line(COLOUR_WHITE, city.flake_x[j], city.flake_y[j], city.flake_x[j], city.flake_y[j] - FLAKE_LENGTH,
                      1);
        }
        settle(drawing);
    }
}
BENCHMARK_CAPTURE(snow_flakes, cairo, Drawing::cairo)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(snow_flakes, pixels, Drawing::pixels)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
