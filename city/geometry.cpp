#include "geometry.h"

Direction turn_right(Direction d) { return is_direction(d) ? (d + 1) % 4 : NORTH; }

Direction turn_left(Direction d) { return is_direction(d) ? (d + 3) % 4 : NORTH; }

Direction opposite(Direction d) { return is_direction(d) ? (d + 2) % 4 : NORTH; }

bool is_direction(Direction d) { return d >= NORTH && d <= WEST; }

void Point::move(Direction direction, int distance)
{
    switch (direction) {
    case NORTH:
        y += distance;
        break;
    case EAST:
        x += distance;
        break;
    case SOUTH:
        y -= distance;
        break;
    case WEST:
        x -= distance;
        break;
    default:
        break;
    }
}

void Point::rotate_about(int centre_x, int centre_y, int quarter_turns)
{
    // Any count is reduced to 0..3 (negative ones included), so the turning always ends.
    const Direction turns = ((quarter_turns % 4) + 4) % 4;
    int dx = x - centre_x;
    int dy = y - centre_y;
    for (Direction step = NORTH; step != turns; step = turn_right(step)) {
        const int old_dx = dx;
        dx = dy;
        dy = -old_dx;
    }
    x = centre_x + dx;
    y = centre_y + dy;
}
