#include "road.h"

#include <algorithm>

namespace {

// Exit direction at the end of roads 1..18, by route 1..6; '-' gives none.
constexpr const char* ROUTING[18] = {
    "EEEEEE", "NNNNNN", "SS-S-N", "SSSEEE", "WSEEEE", "NNSNNN", "EEEEEN", "WNNNNN", "EEEEEE",
    "------", "WWSWNW", "NNNNNN", "WWWWWW", "ENENEN", "WW-ENW", "NNNNNN", "NNNNNN", "EEEEEE",
};
constexpr int ROUTES = 6;

std::optional<Direction> direction_of(char cell)
{
    switch (cell) {
    case 'N':
        return NORTH;
    case 'E':
        return EAST;
    case 'S':
        return SOUTH;
    case 'W':
        return WEST;
    default:
        return std::nullopt;
    }
}

}  // namespace

std::optional<Direction> Road::exit_direction()
{
    if (number_ == 19 || number_ == 20 || number_ == 21) {
        if (Vehicle* front = front_vehicle())
            front->park();
        return number_ == 21 ? NORTH : SOUTH;
    }
    if (number_ < 1 || number_ > 18)
        return std::nullopt;
    const char* row = ROUTING[number_ - 1];
    const int route = front_route();
    if (route >= 1 && route <= ROUTES)
        return direction_of(row[route - 1]);
    // Rows with one direction for every route give it for any route, an empty queue included.
    const bool uniform = std::all_of(row, row + ROUTES, [row](char cell) { return cell == row[0]; });
    return uniform ? direction_of(row[0]) : std::nullopt;
}
