#include "city_loop.h"

#include "circuits.h"
#include <tavro/display.h>
#include "random.h"
#include "scenery.h"
#include "small_life.h"
#include "traffic_system.h"
#include "world.h"

namespace {

bool inside(int x, int y, int left, int right, int bottom, int top)
{
    return left <= x && x <= right && bottom <= y && y <= top;
}

bool in_tree_area(int x, int y)
{
    return inside(x, y, -299, -276, -149, 249) || inside(x, y, -124, 74, 26, 249) ||
           inside(x, y, -224, -176, -124, 249);
}

}  // namespace

void start_city(City& city, Display& display, TrafficSystem& traffic)
{
    place_boat(city.boat_pos);
    place_duck(city.duck_pos);
    build_world(traffic);
    draw_boat(city.boat_pos, display, EAST);
    draw_duck(city.duck_pos, display, NORTH);
}

void handle_click(City& city, int x, int y)
{
    if (inside(x, y, -290, -257, -250, -213)) {  // "Increase cars +"
        city.spawn_interval -= SPAWN_INTERVAL_STEP;
        city.spawn_countdown = city.spawn_interval;
    }
    if (inside(x, y, -257, -220, -250, -213)) {  // "Decrease cars -"
        city.spawn_interval += SPAWN_INTERVAL_STEP;
        city.spawn_countdown = city.spawn_interval;
    }
    if (city.spawn_interval <= 0) {
        city.spawn_interval = RESET_SPAWN_INTERVAL;
        city.spawn_countdown = RESET_SPAWN_INTERVAL;
    }
    if (inside(x, y, 131, 299, 41, 249) && city.person_count < MAX_FIGURES) {
        city.person_x[city.person_count] = x;
        city.person_y[city.person_count] = y;
        ++city.person_count;
    }
    if (in_tree_area(x, y) && city.tree_count < MAX_TREES) {
        city.tree_x[city.tree_count] = x;
        city.tree_y[city.tree_count] = y;
        ++city.tree_count;
    }
    if (inside(x, y, 266, 299, -249, -231)) {  // "Snow"
        // The click's own frame already shows snow, so the flakes are made now.
        city.snow_active = true;
        city.snow_frames_left = SNOW_TICKS;
        generate_flakes(city);
    }
}

void generate_flakes(City& city)
{
    city::srand(static_cast<unsigned>(tavro_time()));
    for (int j = 0; j < FLAKE_COUNT; ++j) {
        city.flake_x[j] = city::rand() % 600 - 299;
        city.flake_y[j] = city::rand() % 500 - 249;
    }
}

void periodic_tick(City& city, TrafficSystem& traffic)
{
    if (city.snow_active) {
        generate_flakes(city);
        if (--city.snow_frames_left == 0) {
            city.snow_active = false;
        }
    }
    advance_blink_phase(city.blink_phase, city.stop_lamp_colour, city.signal_lamp_colour);
    if (--city.spawn_countdown == 0) {
        city::srand(static_cast<unsigned>(tavro_time()));
        city.spawn_entry = city::rand() % 3 + 1;
        city.spawn_route = city::rand() % 6 + 1;
        city.spawn_kind = city::rand() % 4 + 1;
    }
    traffic.spawn(city.spawn_countdown, city.spawn_entry, city.spawn_kind, city.spawn_route);
    traffic.step_lights();
    if (city.spawn_countdown == 0) {
        city.spawn_countdown = city.spawn_interval;
    }
    traffic.update(city.pedestrian_pos, city.pedestrian_active);
    for (int i = 0; i < 3; ++i) {
        if (city.pedestrian_active[i]) {
            step_pedestrian(city.pedestrian_pos[i], city.arm_drop, city.leg_spread, city.arm_toggle, city.leg_toggle);
        }
    }
    step_boat(city.boat_pos, city.boat_facing);
    step_duck(city.duck_pos, city.duck_facing);
}

void draw_frame(City& city, Display& display, TrafficSystem& traffic)
{
    draw_scenery(display);
    traffic.draw(display, city.stop_lamp_colour, city.signal_lamp_colour, city.pedestrian_pos, city.pedestrian_active);
    for (int i = 0; i < 3; ++i) {
        if (city.pedestrian_active[i]) {
            draw_pedestrian(city.pedestrian_pos[i], city.arm_drop, city.leg_spread);
        }
    }
    draw_boat(city.boat_pos, display, city.boat_facing);
    draw_duck(city.duck_pos, display, city.duck_facing);
    draw_figures(city.person_x, city.person_y, city.person_count);
    set_fixed_trees(city.tree_x, city.tree_y);
    draw_trees(city.tree_x, city.tree_y, city.tree_count);
    if (city.snow_active) {
        for (int j = 0; j < FLAKE_COUNT; ++j) {
            plot_line(COLOUR_WHITE, city.flake_x[j], city.flake_y[j], city.flake_x[j], city.flake_y[j] - 4, 1);
        }
    }
}
