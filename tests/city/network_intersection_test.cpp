// Intersections of the built network: parking lots and the routing table's gaps.
#include "counted_car.h"
#include "world.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Every light starts green, and stays so while nobody steps the lights.
class Crossing : public ::testing::Test {
protected:
    Road& road_with_vehicle_at_end(int number, int route)
    {
        Road& road = network.road(number);
        road.accept(std::make_unique<CountedCar>(destroyed), 1, route);
        while (!road.at_end(*road.front_vehicle()))
            road.update(positions, flags);
        return road;
    }

    TrafficSystem traffic;
    CityNetwork network = build_network(traffic);
    PedestrianPositions positions{};
    PedestrianFlags flags{};
    int destroyed = 0;
};

TEST_F(Crossing, ParkingLotKeepsALoneVehicleButRemovesTheFrontWhenAnotherIsBehind)
{
    Road& road19 = road_with_vehicle_at_end(19, 2);
    network.intersection(10).update(positions, flags);
    EXPECT_EQ(road19.queue_length(), 1u);
    EXPECT_TRUE(road19.front_vehicle()->tick_parking());

    // The parked check looks at the back vehicle, which is driving.
    Road& road20 = road_with_vehicle_at_end(20, 5);
    road20.accept(std::make_unique<CountedCar>(destroyed), 1, 5);
    network.intersection(11).update(positions, flags);
    EXPECT_EQ(road20.queue_length(), 1u);
    EXPECT_EQ(destroyed, 1);
}

TEST_F(Crossing, RouteWithoutATableDirectionLeavesTheVehicleStanding)
{
    const struct {
        int road, route, intersection;
    } cases[] = {{10, 1, 5}, {10, 6, 5}, {3, 3, 2}, {3, 5, 2}, {15, 3, 5}};
    for (const auto& c : cases) {
        Road& road = road_with_vehicle_at_end(c.road, c.route);
        const Point at_end = road.front_vehicle()->get_position();
        for (int i = 0; i < 3; ++i) {
            network.intersection(c.intersection).update(positions, flags);
            road.update(positions, flags);
        }
        ASSERT_EQ(road.queue_length(), 1u) << "road " << c.road << " route " << c.route;
        EXPECT_EQ(road.front_vehicle()->get_position(), at_end);
        road.take_front();
    }
    EXPECT_EQ(destroyed, 5);
}

}  // namespace
