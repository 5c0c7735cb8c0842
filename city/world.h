// The city's fixed road network: 12 intersections, 21 one-way roads and the
// three vehicles that are on the roads from the start.
#pragma once

#include "network.h"

#include <array>

// Non-owning view of the network that build_network put into a TrafficSystem,
// valid while that TrafficSystem lives.
struct CityNetwork {
    static constexpr int ROAD_COUNT = 21;
    static constexpr int INTERSECTION_COUNT = 12;

    std::array<Road*, ROAD_COUNT> roads{};
    std::array<Intersection*, INTERSECTION_COUNT> intersections{};

    // number is 1..21 (1..12 for intersections).
    Road& road(int number) const { return *roads.at(number - 1); }
    Intersection& intersection(int number) const { return *intersections.at(number - 1); }
};

// Creates and connects the intersections and the empty roads and adds them to
// traffic, roads 1..21 first, so that every walk visits the intersections first.
CityNetwork build_network(TrafficSystem& traffic);
// Seeds the generator from the clock and puts a yellow car on road 4, a pink
// car on road 11 and a box truck on road 18, each with a random route.
void add_starting_vehicles(const CityNetwork& network);
// The whole world: build_network, then add_starting_vehicles.
void build_world(TrafficSystem& traffic);
