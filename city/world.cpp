#include "world.h"

#include <tavro/display.h>
#include "random.h"

#include <memory>
#include <utility>

namespace {

const Point INTERSECTION_POSITIONS[CityNetwork::INTERSECTION_COUNT] = {
    {-150, 250}, {-150, 0},    {-150, -150}, {100, 150},   {100, 0},   {100, -150},
    {300, 0},    {-250, -150}, {-250, 250},  {-150, -270}, {100, 270}, {100, -270},
};

struct RoadLayout {
    int from;  // intersection the road leaves, 1..12
    Direction from_side;
    int to;  // intersection the road arrives at
    Direction to_side;
    int light_timer;
};

// Road n is entry n - 1; its number and timer come out of the connect counters.
constexpr RoadLayout ROADS[CityNetwork::ROAD_COUNT] = {
    {2, EAST, 5, WEST, 52},    {2, NORTH, 1, SOUTH, 49}, {5, WEST, 2, EAST, 67},    {1, SOUTH, 2, NORTH, 46},
    {2, SOUTH, 3, NORTH, 70},  {3, EAST, 6, WEST, 84},   {3, NORTH, 2, SOUTH, 44},  {6, WEST, 3, EAST, 49},
    {5, EAST, 7, WEST, 52},    {4, SOUTH, 5, NORTH, 26}, {7, WEST, 5, EAST, 49},    {5, NORTH, 4, SOUTH, 52},
    {5, SOUTH, 6, NORTH, 52},  {8, EAST, 3, WEST, 49},   {6, NORTH, 5, SOUTH, 26},  {3, WEST, 8, EAST, 46},
    {8, NORTH, 9, SOUTH, 55},  {9, SOUTH, 8, NORTH, 52}, {3, SOUTH, 10, NORTH, 49}, {4, NORTH, 11, SOUTH, 46},
    {6, SOUTH, 12, NORTH, 43},
};

int random_route() { return city::rand() % 6 + 1; }

}  // namespace

CityNetwork build_network(TrafficSystem& traffic)
{
    // Held here until the traffic system takes them over.
    std::unique_ptr<Intersection> intersections[CityNetwork::INTERSECTION_COUNT];
    std::unique_ptr<Road> roads[CityNetwork::ROAD_COUNT];
    for (int i = 0; i < CityNetwork::INTERSECTION_COUNT; ++i)
        intersections[i] = std::make_unique<Intersection>(INTERSECTION_POSITIONS[i]);
    for (auto& road : roads)
        road = std::make_unique<Road>();

    for (int i = 0; i < CityNetwork::ROAD_COUNT; ++i) {
        const RoadLayout& layout = ROADS[i];
        // connect adds 1 and takes 3 from the counters, leaving the road with number i + 1 and its timer.
        int number = i;
        int light_timer = layout.light_timer + 3;
        intersections[layout.from - 1]->connect(*roads[i], layout.from_side, Intersection::LEAVING, number,
                                                light_timer);
        number = i;
        light_timer = layout.light_timer + 3;
        intersections[layout.to - 1]->connect(*roads[i], layout.to_side, Intersection::ARRIVING, number, light_timer);
    }

    CityNetwork network;
    for (int i = 0; i < CityNetwork::ROAD_COUNT; ++i) {
        network.roads[i] = roads[i].get();
        traffic.add(std::move(roads[i]));
    }
    for (int i = 0; i < CityNetwork::INTERSECTION_COUNT; ++i) {
        network.intersections[i] = intersections[i].get();
        traffic.add(std::move(intersections[i]));
    }
    return network;
}

void add_starting_vehicles(const CityNetwork& network)
{
    city::srand(static_cast<unsigned>(tavro_time()));
    // Each route is drawn just before its vehicle is placed.
    int route = random_route();
    network.road(4).accept(std::make_unique<YellowCar>(), 1, route);
    route = random_route();
    network.road(11).accept(std::make_unique<PinkCar>(), 2, route);
    route = random_route();
    network.road(18).accept(std::make_unique<BoxTruck>(), 3, route);
}

void build_world(TrafficSystem& traffic) { add_starting_vehicles(build_network(traffic)); }
