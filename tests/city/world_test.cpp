// The built city: every road's place, number and timer, the routes through the
// network, the starting vehicles, the walk order, and the generator.
#include "core/session.h"
#include "world.h"

#include <tavro/display.h>
#include "hosts/headless/headless_driver.h"
#include "random.h"
#include "core/run_mode.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace tavro;

namespace {

TEST(Random, FirstValuesAfterSeedingWithOne)
{
    city::srand(1);
    const int values[] = {city::rand(), city::rand(), city::rand(), city::rand()};
    EXPECT_EQ(std::vector<int>(values, values + 4), (std::vector<int>{41, 18467, 6334, 26500}));
}

TEST(World, EveryRoadHasItsCornersDirectionTimerAndJunctions)
{
    const struct {
        int from, to;
        Point start, end;
        Direction direction;
        int light_timer;
    } roads[CityNetwork::ROAD_COUNT] = {
        {2, 5, {-130, -20}, {80, 0}, EAST, 52},         {2, 1, {-130, 20}, {-150, 230}, NORTH, 49},
        {5, 2, {80, 20}, {-130, 0}, WEST, 67},          {1, 2, {-170, 230}, {-150, 20}, SOUTH, 46},
        {2, 3, {-170, -20}, {-150, -130}, SOUTH, 70},   {3, 6, {-130, -170}, {80, -150}, EAST, 84},
        {3, 2, {-130, -130}, {-150, -20}, NORTH, 44},   {6, 3, {80, -130}, {-130, -150}, WEST, 49},
        {5, 7, {120, -20}, {280, 0}, EAST, 52},         {4, 5, {80, 130}, {100, 20}, SOUTH, 26},
        {7, 5, {280, 20}, {120, 0}, WEST, 49},          {5, 4, {120, 20}, {100, 130}, NORTH, 52},
        {5, 6, {80, -20}, {100, -130}, SOUTH, 52},      {8, 3, {-230, -170}, {-170, -150}, EAST, 49},
        {6, 5, {120, -130}, {100, -20}, NORTH, 26},     {3, 8, {-170, -130}, {-230, -150}, WEST, 46},
        {8, 9, {-230, -130}, {-250, 230}, NORTH, 55},   {9, 8, {-270, 230}, {-250, -130}, SOUTH, 52},
        {3, 10, {-170, -170}, {-150, -250}, SOUTH, 49}, {4, 11, {120, 170}, {100, 250}, NORTH, 46},
        {6, 12, {80, -170}, {100, -250}, SOUTH, 43},
    };
    TrafficSystem traffic;
    const CityNetwork network = build_network(traffic);
    for (int n = 1; n <= CityNetwork::ROAD_COUNT; ++n) {
        const auto& expected = roads[n - 1];
        const Road& road = network.road(n);
        SCOPED_TRACE(testing::Message() << "road " << n);
        EXPECT_EQ(road.number(), n);
        EXPECT_EQ(road.start_corner(), expected.start);
        EXPECT_EQ(road.end_corner(), expected.end);
        EXPECT_EQ(road.direction(), expected.direction);
        EXPECT_EQ(road.light_timer(), expected.light_timer);
        EXPECT_EQ(road.start_junction(), &network.intersection(expected.from));
        EXPECT_EQ(road.end_junction(), &network.intersection(expected.to));
    }
}

// The roads a lone vehicle drives from an entry, and the intersection where it leaves (0: it parks).
struct RouteCase {
    int entry, route;
    std::vector<int> roads;
    int leaves_at;
};

void PrintTo(const RouteCase& c, std::ostream* out) { *out << "entry " << c.entry << " route " << c.route; }

class Route : public ::testing::TestWithParam<RouteCase> {
protected:
    void tick()
    {
        traffic.step_lights();
        traffic.update(positions, flags);
    }

    int occupied_road() const  // the one road holding vehicles, or 0
    {
        int occupied = 0;
        for (int n = 1; n <= CityNetwork::ROAD_COUNT; ++n)
            if (network.road(n).queue_length() > 0)
                occupied = occupied == 0 ? n : -1;
        return occupied;
    }

    TrafficSystem traffic;
    CityNetwork network = build_network(traffic);
    PedestrianPositions positions{};
    PedestrianFlags flags{};
};

TEST_P(Route, TakesTheListedRoadsAndLeavesOrParks)
{
    const RouteCase& c = GetParam();
    const int lot = c.roads.back() == 19 ? 0 : c.roads.back() == 21 ? 1 : 2;
    const bool parks = c.leaves_at == 0;
    traffic.spawn(0, c.entry, 1, c.route);
    std::vector<int> driven;
    for (int t = 0; t < 2000 && occupied_road() > 0 && !(parks && flags[lot]); ++t, tick())
        if (driven.empty() || driven.back() != occupied_road())
            driven.push_back(occupied_road());
    ASSERT_EQ(driven, c.roads);
    if (!parks) {
        EXPECT_EQ(occupied_road(), 0);
        EXPECT_EQ(network.road(driven.back()).end_junction(), &network.intersection(c.leaves_at));
        return;
    }
    // Parked: it leaves its lot when the next vehicle on the same route comes in behind it.
    Road& lot_road = network.road(c.roads.back());
    ASSERT_TRUE(flags[lot]);
    EXPECT_EQ(positions[lot], lot_road.queued(0).get_position());
    traffic.spawn(0, c.entry, 1, c.route);
    const Vehicle* next = network.road(c.roads.front()).front_vehicle();
    bool both_in_lot = false;
    for (int t = 0; t < 2000 && !(both_in_lot && lot_road.queue_length() == 1); ++t, tick())
        both_in_lot = both_in_lot || lot_road.queue_length() == 2;
    ASSERT_EQ(lot_road.queue_length(), 1u);
    EXPECT_EQ(lot_road.front_vehicle(), next);
}

INSTANTIATE_TEST_SUITE_P(
    World, Route,
    ::testing::Values(RouteCase{1, 1, {18, 14, 6, 15, 3, 5, 16, 17}, 9}, RouteCase{1, 2, {18, 14, 7, 1, 9}, 7},
                      RouteCase{1, 3, {18, 14, 6, 21}, 0}, RouteCase{1, 4, {18, 14, 7, 1, 9}, 7},
                      RouteCase{1, 5, {18, 14, 6, 15, 12, 20}, 0}, RouteCase{1, 6, {18, 14, 7, 2}, 1},
                      RouteCase{2, 1, {4, 5, 16, 17}, 9}, RouteCase{2, 2, {4, 5, 19}, 0},
                      RouteCase{2, 3, {4, 5, 6, 21}, 0}, RouteCase{2, 4, {4, 1, 9}, 7}, RouteCase{2, 5, {4, 1, 9}, 7},
                      RouteCase{2, 6, {4, 1, 9}, 7}, RouteCase{3, 1, {11, 3, 5, 16, 17}, 9},
                      RouteCase{3, 2, {11, 3, 5, 19}, 0}, RouteCase{3, 3, {11, 13, 8, 7, 1, 9}, 7},
                      RouteCase{3, 4, {11, 3, 5, 6, 15, 9}, 7}, RouteCase{3, 5, {11, 12, 20}, 0},
                      RouteCase{3, 6, {11, 3, 2}, 1}),
    [](const auto& info) {
        return "Entry" + std::to_string(info.param.entry) + "Route" + std::to_string(info.param.route);
    });

TEST(World, StartsWithThreeVehiclesWhoseRoutesComeFromTheClock)
{
    TrafficSystem traffic;
    const CityNetwork network = build_network(traffic);
    city::srand(static_cast<unsigned>(tavro_time()));
    const int routes[3] = {city::rand() % 6 + 1, city::rand() % 6 + 1, city::rand() % 6 + 1};
    city::srand(12345);  // the routes must not depend on the generator's earlier state
    add_starting_vehicles(network);
    const int roads[3] = {4, 11, 18};
    for (int i = 0; i < 3; ++i) {
        const Road& road = network.road(roads[i]);
        ASSERT_EQ(road.queue_length(), 1u);
        EXPECT_EQ(road.queued(0).get_route(), routes[i]) << "road " << roads[i];
        EXPECT_EQ(road.queued(0).get_entry(), i + 1) << "road " << roads[i];
    }
    EXPECT_NE(dynamic_cast<const YellowCar*>(&network.road(4).queued(0)), nullptr);
    EXPECT_NE(dynamic_cast<const PinkCar*>(&network.road(11).queued(0)), nullptr);
    EXPECT_NE(dynamic_cast<const BoxTruck*>(&network.road(18).queued(0)), nullptr);
}

TEST(World, DrawWalkVisitsIntersectionsTwelveToOneThenRoadsTwentyOneToOne)
{
    Display display;
    TrafficSystem traffic;
    build_world(traffic);
    session().run.set_logging(true);
    tavro::headless_driver().clear_text_lines();
    int stop_lamp = COLOUR_RED;
    int signal_lamp = COLOUR_RED;
    PedestrianPositions positions{};
    PedestrianFlags flags{};
    traffic.draw(display, stop_lamp, signal_lamp, positions, flags);

    const std::vector<std::string>& lines = tavro::headless_driver().text_lines();
    ASSERT_GT(lines.size(), 13u);
    EXPECT_EQ(lines[0], "20% gray rectangle with bounding box (80,-250) to (120,-290), filled");    // intersection 12
    EXPECT_EQ(lines[11], "20% gray rectangle with bounding box (-170,270) to (-130,230), filled");  // intersection 1
    EXPECT_EQ(lines[12], "peach rectangle with bounding box (80,-170) to (130,-250), filled");      // road 21's lot
    EXPECT_EQ(lines.back(), "green circle at (68,-24), radius 3");                                  // road 1's light
}

}  // namespace
