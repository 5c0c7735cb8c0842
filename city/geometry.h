// Points in drawing coordinates (x right, y up) and the four compass directions.
#pragma once

// A compass direction, also used as a count of clockwise quarter turns.
using Direction = int;
constexpr Direction NORTH = 0;  // towards +y
constexpr Direction EAST = 1;   // towards +x
constexpr Direction SOUTH = 2;  // towards -y
constexpr Direction WEST = 3;   // towards -x

Direction turn_right(Direction d);
Direction turn_left(Direction d);
Direction opposite(Direction d);
bool is_direction(Direction d);

class Point {
public:
    Point() = default;
    Point(int x, int y) : x(x), y(y) {}

    void set(int new_x, int new_y)
    {
        x = new_x;
        y = new_y;
    }
    int get_x() const { return x; }
    int get_y() const { return y; }

    // Moves distance units towards direction; any value but the four directions does nothing.
    void move(Direction direction, int distance);
    // Turns the point about (centre_x, centre_y) by quarter_turns clockwise quarter turns.
    void rotate_about(int centre_x, int centre_y, int quarter_turns);

    bool operator==(const Point& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Point& other) const { return !(*this == other); }

    int x = 0;
    int y = 0;
};
