// The traffic network: the element interface, the traffic system that drives
// the elements, and the roads and intersections they are made of.
//
// Ownership: the TrafficSystem owns the elements added to it; a Road owns the
// vehicles in its queue; an Intersection only refers to its roads.
#pragma once

#include "intersection.h"
#include "network_element.h"
#include "road.h"
#include "traffic_system.h"
