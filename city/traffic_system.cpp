#include "traffic_system.h"

#include <algorithm>

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

void TrafficSystem::add(NetworkElement* element)
{
    if (element == nullptr || element == this)
        return;
    const bool held = std::any_of(elements_.begin(), elements_.end(),
                                  [element](const auto& held_element) { return held_element.get() == element; });
    if (!held)
        elements_.emplace_front(element);
}
