// A 40 by 40 crossing (or map edge) that hands the front vehicle of each
// arriving road to the leaving road the routing table picks.
#pragma once

#include "network_element.h"

#include <array>

class Road;

class Intersection final : public StreetElement {
public:
    static constexpr int ARRIVING = 0;  // roles in connect
    static constexpr int LEAVING = 1;
    static constexpr int HALF_SIZE = 20;

    explicit Intersection(Point position) : position_(position) {}

    void draw(Display& display, int& stop_lamp_colour, int& signal_lamp_colour, PedestrianPositions& pedestrian_pos,
              PedestrianFlags& pedestrian_active) override;
    // Sides in the order NORTH, EAST, SOUTH, WEST. A vehicle with no road
    // leaving in its direction has left the map and is deleted.
    void update(PedestrianPositions& pedestrian_pos, PedestrianFlags& pedestrian_active) override;
    void spawn(int, int, int, int) override {}
    void step_lights() override {}

    void set_position(Point position) { position_ = position; }
    Point get_position() const { return position_; }
    // Joins road on side in role (ARRIVING or LEAVING): counts the caller's
    // number and light-timer counters on (+1, -3) into the road, and gives the
    // road its end or start corner. The intersection does not own the road.
    // A side that is not a direction, or another role, is ignored.
    void connect(Road& road, Direction side, int role, int& number, int& light_timer);
    // The coordinate of the square's side d (x for EAST and WEST, y otherwise);
    // any other value gives the centre's x.
    int edge(Direction d) const;

private:
    Point position_;
    std::array<Road*, 4> arriving_{};
    std::array<Road*, 4> leaving_{};
};
