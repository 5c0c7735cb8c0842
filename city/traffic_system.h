// The container through which the main loop drives every road and intersection.
#pragma once

#include "network_element.h"

#include <forward_list>
#include <memory>

class TrafficSystem final : public NetworkElement {
public:
    void draw(Display& display, int& stop_lamp_colour, int& signal_lamp_colour, PedestrianPositions& pedestrian_pos,
              PedestrianFlags& pedestrian_active) override;
    void update(PedestrianPositions& pedestrian_pos, PedestrianFlags& pedestrian_active) override;
    // Passes the request on only when countdown is 0.
    void spawn(int countdown, int entry, int kind, int route) override;
    void step_lights() override;

    // Puts element in front, so the walk visits the last one added first. A null
    // element is ignored.
    void add(std::unique_ptr<StreetElement> element);

private:
    std::forward_list<std::unique_ptr<StreetElement>> elements_;
};
