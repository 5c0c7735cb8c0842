#include "road.h"

#include <cstdlib>
#include <utility>

namespace {

bool along_y(Direction direction) { return direction == NORTH || direction == SOUTH; }

// The parking lot whose pedestrian a road releases, or -1.
int parking_lot(int road_number)
{
    switch (road_number) {
    case 19:
        return 0;
    case 21:
        return 1;
    case 20:
        return 2;
    default:
        return -1;
    }
}

int entry_road(int entry)
{
    switch (entry) {
    case 1:
        return 18;
    case 2:
        return 4;
    case 3:
        return 11;
    default:
        return 0;
    }
}

std::unique_ptr<Vehicle> make_vehicle(int kind, bool yellow_cars_allowed)
{
    switch (kind) {
    case 1:
        return std::make_unique<PinkCar>();
    case 2:
        return std::make_unique<Bicycle>();
    case 3:
        return std::make_unique<BoxTruck>();
    case 4:
        return yellow_cars_allowed ? std::make_unique<YellowCar>() : nullptr;
    default:
        return nullptr;
    }
}

}  // namespace

void Road::set_junction(Intersection* intersection, int index)
{
    if (index == 0 || index == 1)
        junctions_[index] = intersection;
}

void Road::set_corner(Point corner, int index)
{
    if (index != 0 && index != 1)
        return;
    corners_[index] = corner;
    corner_known_[index] = true;
    if (!corner_known_[0] || !corner_known_[1])
        return;
    const int dx = corners_[1].x - corners_[0].x;
    const int dy = corners_[1].y - corners_[0].y;
    if (dx > 0 && dy > 0)
        direction_ = EAST;
    else if (dx > 0 && dy < 0)
        direction_ = SOUTH;
    else if (dx < 0 && dy < 0)
        direction_ = WEST;
    else
        direction_ = NORTH;
}

Point Road::entry_point() const
{
    const Point& start = corners_[0];
    const Point& end = corners_[1];
    if (along_y(direction_))
        return Point((start.x + end.x) / 2, start.y);
    return Point(start.x, (start.y + end.y) / 2);
}

bool Road::at_end(const Vehicle& vehicle) const
{
    const Point p = vehicle.get_position();
    const Point& end = corners_[1];
    switch (direction_) {
    case NORTH:
        return p.y + END_REACH >= end.y;
    case EAST:
        return p.x + END_REACH >= end.x;
    case SOUTH:
        return p.y - END_REACH <= end.y;
    default:
        return p.x - END_REACH <= end.x;
    }
}

bool Road::has_room() const
{
    if (queue_.empty())
        return true;
    const Point p = queue_.back()->get_position();
    const Point& start = corners_[0];
    const int distance = along_y(direction_) ? std::abs(start.y - p.y) : std::abs(start.x - p.x);
    return distance > ENTRY_ROOM;
}

bool Road::accept(std::unique_ptr<Vehicle> vehicle, int entry, int route)
{
    if (!vehicle || !has_room())
        return false;
    vehicle->set_position(entry_point());
    vehicle->set_heading(direction_);
    vehicle->set_trip(entry, route);
    queue_.push_back(std::move(vehicle));
    return true;
}

std::unique_ptr<Vehicle> Road::take_front()
{
    if (queue_.empty())
        return nullptr;
    std::unique_ptr<Vehicle> front = std::move(queue_.front());
    queue_.pop_front();
    return front;
}

bool Road::front_ready() const { return !queue_.empty() && at_end(*queue_.front()) && light_ == COLOUR_GREEN; }

int Road::front_route() const { return queue_.empty() ? 0 : queue_.front()->get_route(); }

bool Road::back_is_parked() { return !queue_.empty() && queue_.back()->tick_parking(); }

Vehicle* Road::front_vehicle() const { return queue_.empty() ? nullptr : queue_.front().get(); }

void Road::place_pedestrian(Point position, PedestrianPositions& pedestrian_pos,
                            PedestrianFlags& pedestrian_active) const
{
    const int lot = parking_lot(number_);
    if (lot < 0 || pedestrian_active[lot])
        return;
    pedestrian_pos[lot] = position;
    pedestrian_active[lot] = true;
}

void Road::update(PedestrianPositions& pedestrian_pos, PedestrianFlags& pedestrian_active)
{
    // Each tick_parking call counts one parking tick, so a parked vehicle loses two here.
    bool clear = true;
    for (std::size_t i = 0; i < queue_.size(); ++i) {
        Vehicle& vehicle = *queue_[i];
        if (vehicle.tick_parking())
            place_pedestrian(vehicle.get_position(), pedestrian_pos, pedestrian_active);
        if (vehicle.tick_parking())
            continue;
        if (i > 0) {
            const Point ahead = queue_[i - 1]->get_position();
            const Point here = vehicle.get_position();
            const int gap = along_y(vehicle.get_heading()) ? std::abs(ahead.y - here.y) : std::abs(ahead.x - here.x);
            clear = gap > MIN_GAP;
        }
        if (!at_end(vehicle) && clear)
            vehicle.advance(STEP);
    }
}

void Road::spawn(int, int entry, int kind, int route)
{
    const int road = entry_road(entry);
    if (road == 0 || road != number_)
        return;
    if (std::unique_ptr<Vehicle> vehicle = make_vehicle(kind, number_ == 18))
        accept(std::move(vehicle), entry, route);
}

void Road::step_lights()
{
    if (--light_timer_ != 0)
        return;
    if (light_ == COLOUR_RED) {
        light_ = COLOUR_GREEN;
        light_timer_ = GREEN_TICKS;
    } else {
        light_ = COLOUR_RED;
        light_timer_ = RED_TICKS;
    }
}
