#include "circuits.h"

#include <tavro/display.h>

namespace {

// One edge of a circuit: while the point lies on the line (x or y equal to
// `line`, the other coordinate within [low, high]) it faces and moves along it.
struct EdgeRule {
    bool horizontal;  // the line is y = line; otherwise x = line
    int low;
    int high;
    int line;
    Direction facing;
};

// The rules run in order, each on the point the ones before it left, so at a
// corner two of them can fire in one step.
void step_along(const EdgeRule (&rules)[4], Point& position, Direction& facing)
{
    for (const EdgeRule& rule : rules) {
        const int along = rule.horizontal ? position.x : position.y;
        const int across = rule.horizontal ? position.y : position.x;
        if (across == rule.line && along >= rule.low && along <= rule.high) {
            facing = rule.facing;
            position.move(rule.facing, 1);
        }
    }
}

constexpr EdgeRule BOAT_RULES[4] = {
    {true, -96, 49, -95, EAST},
    {true, -96, 49, -55, WEST},
    {false, -96, 56, 48, NORTH},
    {false, -95, 55, -95, SOUTH},
};

constexpr EdgeRule DUCK_RULES[4] = {
    {true, 239, 276, 60, EAST},
    {true, 230, 276, 105, WEST},
    {false, 59, 106, 275, NORTH},
    {false, 59, 106, 240, SOUTH},
};

// Dot rows of a tree's crown: `count` dots from (x + dx, y + dy), 5 units apart upward.
struct DotRow {
    int dx;
    int dy;
    int count;
};

constexpr DotRow CROWN[] = {{0, -3, 6}, {-5, 0, 5}, {5, 0, 5}, {10, 2, 4}, {-10, 2, 4}};

void draw_figure(int x, int y)
{
    plot_circle(COLOUR_YELLOW, x, y, 3);
    plot_line(COLOUR_YELLOW, x - 1, y - 3, x - 1, y - 5, 1);
    plot_line(COLOUR_YELLOW, x + 1, y - 3, x + 1, y - 5, 1);
    plot_oval(COLOUR_YELLOW, x + 3, y - 5, x - 3, y - 15, 0);
    plot_triangle(COLOUR_YELLOW, x, y - 4, x - 10, y - 5, x, y - 11, 1);
    plot_triangle(COLOUR_YELLOW, x, y - 4, x + 10, y - 5, x, y - 11, 1);
    plot_line(COLOUR_YELLOW, x - 2, y - 15, x - 5, y - 25, 1);
    plot_line(COLOUR_YELLOW, x, y - 15, x + 3, y - 25, 1);
    plot_circle(COLOUR_YELLOW, x - 5, y - 25, 1);
    plot_circle(COLOUR_YELLOW, x + 3, y - 25, 1);
}

void draw_tree(int x, int y)
{
    plot_triangle(COLOUR_BROWN, x, y, x - 2, y - 25, x + 2, y - 25, 0);
    for (const DotRow& row : CROWN) {
        for (int k = 0; k < row.count; ++k) {
            plot_circle(COLOUR_FOREST_GREEN, x + row.dx, y + row.dy + 5 * k, 2);
        }
    }
}

}  // namespace

void place_boat(Point& position) { position.set(-95, -95); }

void place_duck(Point& position) { position.set(240, 60); }

void step_boat(Point& position, Direction& facing) { step_along(BOAT_RULES, position, facing); }

void step_duck(Point& position, Direction& facing) { step_along(DUCK_RULES, position, facing); }

void draw_figures(const int* xs, const int* ys, int count)
{
    for (int i = 0; i < count; ++i) {
        draw_figure(xs[i], ys[i]);
    }
}

void set_fixed_trees(int* xs, int* ys)
{
    constexpr int FIXED_X[4] = {45, -200, -200, -100};
    constexpr int FIXED_Y[4] = {150, 150, 0, 75};
    for (int i = 0; i < 4; ++i) {
        xs[i] = FIXED_X[i];
        ys[i] = FIXED_Y[i];
    }
}

void draw_trees(const int* xs, const int* ys, int count)
{
    for (int i = 0; i < count; ++i) {
        draw_tree(xs[i], ys[i]);
    }
}
