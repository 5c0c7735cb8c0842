// What the city does with each event, and how it draws a frame.
#pragma once

#include "city_state.h"

class Display;
class TrafficSystem;

// The rest of start-up once the display is cleared and animating: boat and duck
// placed, the world built, boat and duck drawn once.
void start_city(City& city, Display& display, TrafficSystem& traffic);
void handle_click(City& city, int x, int y);
void periodic_tick(City& city, TrafficSystem& traffic);
void draw_frame(City& city, Display& display, TrafficSystem& traffic);
// Reseeds the generator from the clock and scatters the flakes.
void generate_flakes(City& city);
