#include "traffic_system.h"

#include <utility>

void TrafficSystem::draw(Display& display, int& stop_lamp_colour, int& signal_lamp_colour,
                         PedestrianPositions& pedestrian_pos, PedestrianFlags& pedestrian_active)
{
    for (auto& element : elements_)
        element->draw(display, stop_lamp_colour, signal_lamp_colour, pedestrian_pos, pedestrian_active);
}

void TrafficSystem::update(PedestrianPositions& pedestrian_pos, PedestrianFlags& pedestrian_active)
{
    for (auto& element : elements_)
        element->update(pedestrian_pos, pedestrian_active);
}

void TrafficSystem::spawn(int countdown, int entry, int kind, int route)
{
    if (countdown != 0)
        return;
    for (auto& element : elements_)
        element->spawn(countdown, entry, kind, route);
}

void TrafficSystem::step_lights()
{
    for (auto& element : elements_)
        element->step_lights();
}

void TrafficSystem::add(std::unique_ptr<StreetElement> element)
{
    if (element)
        elements_.push_front(std::move(element));
}
