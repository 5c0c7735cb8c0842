// The city the frame benchmarks draw: built once per process (a process has one Display), with
// 200 ticks of traffic and a snow field, so every benchmark sees the same town.
#pragma once

#include "city_loop.h"
#include "traffic_system.h"
#include <tavro/display.h>

#include <memory>

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
        generate_flakes(*city);
    }
};

inline Town& town()
{
    static Town the_town;
    return the_town;
}
