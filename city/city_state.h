// Everything the city application keeps for the whole run, owned by its main routine.
#pragma once

#include "geometry.h"
#include "network_element.h"

#include <tavro/display.h>

#include <array>

constexpr int FLAKE_COUNT = 10000;
constexpr int MAX_FIGURES = 10;
constexpr int MAX_TREES = 20;
constexpr int FIXED_TREES = 4;
constexpr int SNOW_TICKS = 20;
constexpr int START_SPAWN_INTERVAL = 80;
constexpr int RESET_SPAWN_INTERVAL = 20;
constexpr int SPAWN_INTERVAL_STEP = 5;

struct City {
    bool quit_requested = false;
    int spawn_interval = START_SPAWN_INTERVAL;
    int spawn_countdown = START_SPAWN_INTERVAL;
    int spawn_entry = 0;
    int spawn_route = 0;
    int spawn_kind = 0;

    bool snow_active = false;
    int snow_frames_left = SNOW_TICKS;
    std::array<int, FLAKE_COUNT> flake_x{};
    std::array<int, FLAKE_COUNT> flake_y{};

    int blink_phase = 20;
    int stop_lamp_colour = COLOUR_PEACH;
    int signal_lamp_colour = COLOUR_RED;

    PedestrianPositions pedestrian_pos{};
    PedestrianFlags pedestrian_active{};
    int arm_drop = 0;
    int leg_spread = 0;
    int arm_toggle = 1;
    int leg_toggle = 1;

    Point boat_pos{-95, -95};
    Direction boat_facing = EAST;
    Point duck_pos{240, 60};
    Direction duck_facing = NORTH;

    int person_x[MAX_FIGURES] = {};
    int person_y[MAX_FIGURES] = {};
    int person_count = 0;
    int tree_x[MAX_TREES] = {};
    int tree_y[MAX_TREES] = {};
    int tree_count = FIXED_TREES;
};
