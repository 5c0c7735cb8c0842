// The interface of everything the traffic system drives once per event or tick.
#pragma once

#include "geometry.h"

#include <array>

class Display;

// Indexed by parking lot: 0 the lot of road 19, 1 of road 21, 2 of road 20.
using PedestrianPositions = std::array<Point, 3>;
using PedestrianFlags = std::array<bool, 3>;

class NetworkElement {
public:
    NetworkElement() = default;
    NetworkElement(const NetworkElement&) = delete;
    NetworkElement& operator=(const NetworkElement&) = delete;
    virtual ~NetworkElement() = default;

    virtual void draw(Display& display, int& stop_lamp_colour, int& signal_lamp_colour,
                      PedestrianPositions& pedestrian_pos, PedestrianFlags& pedestrian_active) = 0;
    virtual void update(PedestrianPositions& pedestrian_pos, PedestrianFlags& pedestrian_active) = 0;
    // entry 1..3, kind 1..4, route 1..6.
    virtual void spawn(int countdown, int entry, int kind, int route) = 0;
    virtual void step_lights() = 0;
};

// The common base of roads and intersections: what the traffic system holds. A vehicle
// rides a road and another traffic system holds its own streets, so neither can be added.
class StreetElement : public NetworkElement {};
