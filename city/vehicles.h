// Vehicles: the common base that roads move and park, and the four kinds,
// which differ only in the figure they draw.
#pragma once

#include "network_element.h"

class Vehicle : public NetworkElement {
public:
    static constexpr int PARK_TICKS = 20;

    // A vehicle is moved by its road; on its own it does nothing.
    void update(PedestrianPositions&, PedestrianFlags&) override {}
    void spawn(int, int, int, int) override {}
    void step_lights() override {}

    void advance(int distance) { position_.move(heading_, distance); }
    void set_heading(Direction heading) { heading_ = heading; }
    void set_position(Point position) { position_ = position; }
    Point get_position() const { return position_; }
    Direction get_heading() const { return heading_; }
    void set_trip(int entry, int route);
    int get_entry() const { return entry_; }
    int get_route() const { return route_; }
    // Parks the vehicle; the stay's countdown is not restarted.
    void park() { parked_ = true; }
    // Counts one tick of the stay when parked; returns whether it is still parked.
    bool tick_parking();

protected:
    // The point (dx, dy) of the figure drawn for NORTH, turned to the heading.
    Point figure_point(int dx, int dy) const;

private:
    Point position_;
    Direction heading_ = NORTH;
    int route_ = 0;
    int entry_ = 0;
    bool parked_ = false;
    int park_ticks_ = PARK_TICKS;
};

class Bicycle final : public Vehicle {
public:
    // Wheels black while the signal lamp is red (2), white while it is sea green.
    void draw(Display& display, int& stop_lamp_colour, int& signal_lamp_colour, PedestrianPositions& pedestrian_pos,
              PedestrianFlags& pedestrian_active) override;
};

class YellowCar final : public Vehicle {
public:
    void draw(Display& display, int& stop_lamp_colour, int& signal_lamp_colour, PedestrianPositions& pedestrian_pos,
              PedestrianFlags& pedestrian_active) override;
};

class PinkCar final : public Vehicle {
public:
    // Wheels sea green while the stop lamp is red (2).
    void draw(Display& display, int& stop_lamp_colour, int& signal_lamp_colour, PedestrianPositions& pedestrian_pos,
              PedestrianFlags& pedestrian_active) override;
};

class BoxTruck final : public Vehicle {
public:
    // The white body is the same box for every heading; only the red front block turns.
    void draw(Display& display, int& stop_lamp_colour, int& signal_lamp_colour, PedestrianPositions& pedestrian_pos,
              PedestrianFlags& pedestrian_active) override;
};
