// The small life of the scene: the two blinking lamps, the walking pedestrians,
// the boat and the duck. The main loop owns all their state.
#pragma once

#include "geometry.h"

class Display;

// Steps the 20-tick blink cycle (counting down, 1 wraps to 20) and sets the lamp colours.
void advance_blink_phase(int& blink_phase, int& stop_lamp_colour, int& signal_lamp_colour);

// Walks a pedestrian 2 units east and flips the walking pose that all pedestrians share.
void step_pedestrian(Point& position, int& arm_drop, int& leg_spread, int& arm_toggle, int& leg_toggle);

// Draws the pedestrian with its speech line while it is in one of the four zones; nothing elsewhere.
void draw_pedestrian(Point position, int arm_drop, int leg_spread);

// The boat, its bow towards facing.
void draw_boat(Point position, Display& display, Direction facing);

// The duck, its beak a quarter turn clockwise from facing.
void draw_duck(Point position, Display& display, Direction facing);
