#include "intersection.h"

#include <tavro/display.h>
#include "road.h"

int Intersection::edge(Direction d) const
{
    switch (d) {
    case NORTH:
        return position_.y + HALF_SIZE;
    case EAST:
        return position_.x + HALF_SIZE;
    case SOUTH:
        return position_.y - HALF_SIZE;
    case WEST:
        return position_.x - HALF_SIZE;
    default:
        return position_.x;
    }
}

void Intersection::connect(Road& road, Direction side, int role, int& number, int& light_timer)
{
    if (!is_direction(side) || (role != ARRIVING && role != LEAVING))
        return;
    number += 1;
    light_timer -= 3;
    road.set_number(number);
    road.set_light_timer(light_timer);
    (role == ARRIVING ? arriving_ : leaving_)[side] = &road;
    road.set_junction(this, 1 - role);

    // The lane on the right-hand side of the street: drawn for a road on the
    // north side, then turned to the actual side.
    Point corner(role == LEAVING ? edge(EAST) : position_.x, edge(NORTH));
    corner.rotate_about(position_.x, position_.y, side);
    road.set_corner(corner, 1 - role);
}

void Intersection::update(PedestrianPositions&, PedestrianFlags&)
{
    for (Direction side = NORTH; side <= WEST; ++side) {
        Road* arriving = arriving_[side];
        if (arriving == nullptr || !arriving->front_ready())
            continue;
        const std::optional<Direction> exit = arriving->exit_direction();
        if (arriving->back_is_parked() || !exit)
            continue;
        Road* leaving = leaving_[*exit];
        if (leaving == nullptr) {
            arriving->take_front();  // off the map: the vehicle is deleted here
            continue;
        }
        if (leaving->has_room()) {
            const int route = arriving->front_route();
            leaving->accept(arriving->take_front(), 2, route);
        }
    }
}

void Intersection::draw(Display& display, int&, int&, PedestrianPositions&, PedestrianFlags&)
{
    display.draw_rectangle(edge(WEST), edge(SOUTH), edge(EAST), edge(NORTH), COLOUR_GRAY_20, 0);
}
