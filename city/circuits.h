// The boat's and the duck's circuits on the two ponds, and the figures and
// trees that stand in the scene.
#pragma once

#include "geometry.h"

// Start points of the two circuits.
void place_boat(Point& position);
void place_duck(Point& position);

// One unit along the circuit, counter-clockwise; at the two diagonal corners
// a step moves one unit along each axis.
void step_boat(Point& position, Direction& facing);
void step_duck(Point& position, Direction& facing);

// Draws the yellow figures 0 to count - 1.
void draw_figures(const int* xs, const int* ys, int count);

// Writes the four trees that always stand into entries 0 to 3.
void set_fixed_trees(int* xs, int* ys);

// Draws trees 0 to count - 1.
void draw_trees(const int* xs, const int* ys, int count);
