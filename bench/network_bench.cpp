// The cost of one network tick on the built city: spawn, lights, update and
// draw, with logging off, as the main loop runs them.
#include <tavro/display.h>
#include "random.h"
#include "world.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int SPAWN_INTERVAL = 80;  // the main loop's starting interval

struct City {
    TrafficSystem traffic;
    PedestrianPositions positions{};
    PedestrianFlags flags{};
    int countdown = SPAWN_INTERVAL;
    int stop_lamp = COLOUR_RED;
    int signal_lamp = COLOUR_SEA_GREEN;

    void tick(Display& display, bool draw = true)
    {
        int entry = 1, route = 1, kind = 1;
        if (--countdown == 0) {
            entry = city::rand() % 3 + 1;
            route = city::rand() % 6 + 1;
            kind = city::rand() % 4 + 1;
        }
        traffic.spawn(countdown, entry, kind, route);
        traffic.step_lights();
        if (countdown == 0)
            countdown = SPAWN_INTERVAL;
        traffic.update(positions, flags);
        if (draw)
            traffic.draw(display, stop_lamp, signal_lamp, positions, flags);
    }

    int vehicles() const
    {
        int count = 0;
        for (const Road* road : network.roads)
            count += static_cast<int>(road->queue_length());
        return count;
    }

    CityNetwork network;
};

// One Display per process, while the benchmark library may run the function many times.
Display& shared_display()
{
    static Display display;  // logging is off once the display is open
    return display;
}

// Arg 1: the whole tick; arg 0: the same without drawing, the simulation alone.
void network_tick(benchmark::State& state)
{
    Display& display = shared_display();
    const bool draw = state.range(0) != 0;
    City city;
    city.network = build_network(city.traffic);
    add_starting_vehicles(city.network);
    city::srand(1);
    for (int i = 0; i < 2000; ++i)  // fill the roads to a steady state first
        city.tick(display, draw);
    for (auto _ : state)
        city.tick(display, draw);
    state.counters["vehicles"] = city.vehicles();
}
BENCHMARK(network_tick)->Arg(1)->Arg(0);

}  // namespace

BENCHMARK_MAIN();
