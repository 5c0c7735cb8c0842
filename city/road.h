// A one-way, one-lane road: a queue of vehicles moved along the lane, held at
// the end while the light is red, and drawn with its light, signs and vehicles.
#pragma once

#include <tavro/display.h>
#include "network_element.h"
#include "vehicles.h"

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <optional>

class Intersection;

class Road final : public StreetElement {
public:
    static constexpr int MIN_GAP = 30;     // a vehicle moves only while further than this behind the next
    static constexpr int STEP = 3;         // units moved per update
    static constexpr int ENTRY_ROOM = 20;  // the back vehicle must be this far in before another enters
    static constexpr int END_REACH = 18;   // a vehicle this close to the end corner is at the end
    static constexpr int GREEN_TICKS = 20;
    static constexpr int RED_TICKS = 40;

    void draw(Display& display, int& stop_lamp_colour, int& signal_lamp_colour, PedestrianPositions& pedestrian_pos,
              PedestrianFlags& pedestrian_active) override;
    void update(PedestrianPositions& pedestrian_pos, PedestrianFlags& pedestrian_active) override;
    // Entry 1 creates on road 18, entry 2 on road 4, entry 3 on road 11; kind 1
    // a pink car, 2 a bicycle, 3 a box truck, 4 a yellow car (road 18 only).
    void spawn(int countdown, int entry, int kind, int route) override;
    void step_lights() override;

    // Index 0 is the road's start, 1 its end; other indices are ignored.
    void set_junction(Intersection* intersection, int index);
    void set_corner(Point corner, int index);
    void set_number(int number) { number_ = number; }
    void set_light_timer(int ticks) { light_timer_ = ticks; }

    int number() const { return number_; }
    int light() const { return light_; }
    int light_timer() const { return light_timer_; }
    Direction direction() const { return direction_; }
    Point start_corner() const { return corners_[0]; }
    Point end_corner() const { return corners_[1]; }
    Intersection* start_junction() const { return junctions_[0]; }
    Intersection* end_junction() const { return junctions_[1]; }

    Point entry_point() const;
    bool at_end(const Vehicle& vehicle) const;
    bool has_room() const;
    // The road owns the vehicles in its queue. Without room the vehicle is
    // deleted; otherwise it joins the back at the entry point. Returns whether it was taken.
    bool accept(std::unique_ptr<Vehicle> vehicle, int entry, int route);
    // Hands the front vehicle over to the caller; empty when the queue is.
    std::unique_ptr<Vehicle> take_front();
    bool front_ready() const;
    // Where the front vehicle leaves the intersection at the road's end; parks it
    // on the parking roads. Empty where the routing table gives no direction:
    // the vehicle then stands at the end.
    std::optional<Direction> exit_direction();
    int front_route() const;
    // Counts the back vehicle's parking down; false for an empty queue.
    bool back_is_parked();
    Vehicle* front_vehicle() const;
    std::size_t queue_length() const { return queue_.size(); }
    // The i-th vehicle from the front; i must be below queue_length().
    const Vehicle& queued(std::size_t i) const { return *queue_[i]; }

private:
    void place_pedestrian(Point position, PedestrianPositions& pedestrian_pos,
                          PedestrianFlags& pedestrian_active) const;
    void draw_surface(Display& display) const;
    void draw_light_post() const;
    void draw_signs(int stop_lamp_colour, int signal_lamp_colour) const;

    std::array<Intersection*, 2> junctions_{};
    std::array<Point, 2> corners_{};
    std::array<bool, 2> corner_known_{};
    Direction direction_ = NORTH;
    std::deque<std::unique_ptr<Vehicle>> queue_;  // front = nearest the road's end
    int number_ = 0;
    int light_timer_ = 0;
    int light_ = COLOUR_GREEN;  // a light is COLOUR_GREEN or COLOUR_RED
};
