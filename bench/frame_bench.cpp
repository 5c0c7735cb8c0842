// The cost of drawing one whole city frame into the image, with and without snow,
// and of one periodic tick of the application.
#include "city_loop.h"
#include <tavro/display.h>
#include "traffic_system.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Town {
    Display display;
    TrafficSystem traffic;
    std::unique_ptr<City> city = std::make_unique<City>();
    Town()
    {
        start_city(*city, display, traffic);
        for (int i = 0; i < 200; ++i) {  // let some traffic build up
            periodic_tick(*city, traffic);
        }
    }
};

Town& town()
{
    static Town the_town;  // one Display per process
    return the_town;
}

void frame_without_snow(benchmark::State& state)
{
    Town& t = town();
    t.city->snow_active = false;
    for (auto _ : state) {
        draw_frame(*t.city, t.display, t.traffic);
    }
}
BENCHMARK(frame_without_snow)->Unit(benchmark::kMillisecond);

void frame_with_snow(benchmark::State& state)
{
    Town& t = town();
    t.city->snow_active = true;
    generate_flakes(*t.city);
    for (auto _ : state) {
        draw_frame(*t.city, t.display, t.traffic);
    }
    t.city->snow_active = false;
}
BENCHMARK(frame_with_snow)->Unit(benchmark::kMillisecond);

void tick_and_frame(benchmark::State& state)
{
    Town& t = town();
    for (auto _ : state) {
        periodic_tick(*t.city, t.traffic);
        draw_frame(*t.city, t.display, t.traffic);
    }
}
BENCHMARK(tick_and_frame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
