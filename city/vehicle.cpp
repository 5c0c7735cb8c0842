#include "vehicles.h"

void Vehicle::set_trip(int entry, int route)
{
    entry_ = entry;
    route_ = route;
}

bool Vehicle::tick_parking()
{
    if (!parked_)
        return false;
    if (--park_ticks_ == 0) {
        park_ticks_ = PARK_TICKS;
        parked_ = false;
    }
    return parked_;
}

Point Vehicle::figure_point(int dx, int dy) const
{
    Point point(position_.x + dx, position_.y + dy);
    point.rotate_about(position_.x, position_.y, heading_);
    return point;
}
