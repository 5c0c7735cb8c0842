// A road on its own: geometry, lights, the queue's spacing, spawning and its parking lot.
#include "counted_car.h"
#include "network.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<Road> make_road(Point start, Point end, int number = 1)
{
    auto road = std::make_unique<Road>();
    road->set_corner(start, 0);
    road->set_corner(end, 1);
    road->set_number(number);
    return road;
}

TEST(Road, CornersGiveDirectionEntryPointAndEnd)
{
    const struct {
        Point start, end;
        Direction direction;
        Point entry, first_at_end;
    } cases[] = {
        {{-130, -20}, {80, 0}, EAST, {-130, -10}, {62, -10}},
        {{-131, 20}, {-150, 230}, NORTH, {-140, 20}, {-140, 212}},  // dx < 0; the middle truncates towards zero
    };
    for (const auto& c : cases) {
        auto road = make_road(c.start, c.end);
        EXPECT_EQ(road->direction(), c.direction);
        EXPECT_EQ(road->entry_point(), c.entry);
        YellowCar car;
        car.set_position(c.first_at_end);
        car.set_heading(c.direction);
        EXPECT_TRUE(road->at_end(car));
        car.advance(-1);
        EXPECT_FALSE(road->at_end(car));
    }
}

TEST(Road, LightTurnsRedGreenAndRedAgainOnItsTimer)
{
    auto road = make_road({-130, -20}, {80, 0});
    road->set_light_timer(26);
    std::vector<int> changes;  // the steps at which the light changed
    for (int step = 1, light = road->light(); step <= 86; ++step, light = road->light()) {
        road->step_lights();
        if (road->light() != light)
            changes.push_back(step);
    }
    EXPECT_EQ(changes, (std::vector<int>{26, 66, 86}));
    EXPECT_EQ(road->light(), COLOUR_RED);
}

TEST(Road, BackVehicleKeepsMoreThanThirtyUnitsBehindAndFrontStopsAtTheEnd)
{
    auto road = make_road({-130, -20}, {80, 0});
    PedestrianPositions positions{};
    PedestrianFlags flags{};
    road->accept(std::make_unique<YellowCar>(), 1, 1);
    for (int i = 0; i < 7; ++i)
        road->update(positions, flags);
    ASSERT_TRUE(road->accept(std::make_unique<PinkCar>(), 1, 1));
    for (int tick = 0; tick < 100; ++tick) {
        const int front_before = road->queued(0).get_position().x;
        const int back_before = road->queued(1).get_position().x;
        road->update(positions, flags);
        const int front = road->queued(0).get_position().x;
        const int back = road->queued(1).get_position().x;
        // The back vehicle moves only while the front one, already moved, is over 30 ahead.
        EXPECT_EQ(back - back_before, front - back_before > 30 ? 3 : 0) << "tick " << tick;
        EXPECT_TRUE(front - front_before == 3 || road->at_end(road->queued(0))) << "tick " << tick;
    }
    EXPECT_EQ(road->queued(0).get_position().x, 62);
    EXPECT_EQ(road->queued(1).get_position().x, 32);
}

TEST(Road, SpawnWithoutRoomOrWithAnUnusableKindCreatesNothing)
{
    auto road18 = make_road({-270, 230}, {-250, -130}, 18);
    road18->spawn(0, 1, 4, 2);
    road18->spawn(0, 1, 1, 6);  // the yellow car still stands at the entry point
    ASSERT_EQ(road18->queue_length(), 1u);
    EXPECT_NE(dynamic_cast<const YellowCar*>(road18->front_vehicle()), nullptr);

    int destroyed = 0;
    EXPECT_FALSE(road18->accept(std::make_unique<CountedCar>(destroyed), 1, 1));
    EXPECT_EQ(destroyed, 1);  // a refused vehicle is released, not lost
    road18->front_vehicle()->advance(21);
    EXPECT_TRUE(road18->accept(std::make_unique<CountedCar>(destroyed), 1, 1));
    road18.reset();
    EXPECT_EQ(destroyed, 2);  // the road releases the vehicles it still holds

    const struct {
        int road, entry;
    } yellow_car_refused[] = {{4, 2}, {11, 3}};
    for (const auto& c : yellow_car_refused) {
        auto road = make_road({-170, 230}, {-150, 20}, c.road);
        road->spawn(0, c.entry, 4, 1);
        EXPECT_EQ(road->queue_length(), 0u) << "road " << c.road;
        road->spawn(0, c.entry, 2, 1);
        EXPECT_NE(dynamic_cast<const Bicycle*>(road->front_vehicle()), nullptr) << "road " << c.road;
    }
}

TEST(Road, FirstVehicleSeenParkedReleasesItsLotsPedestrianOnce)
{
    const struct {
        int road;
        int lot;  // -1: no lot
    } cases[] = {{19, 0}, {21, 1}, {20, 2}, {18, -1}};
    for (const auto& c : cases) {
        auto road = make_road({-170, -170}, {-150, -250}, c.road);
        PedestrianPositions positions{};
        PedestrianFlags flags{};
        road->accept(std::make_unique<PinkCar>(), 1, 2);
        road->front_vehicle()->park();
        const Point parked_at = road->front_vehicle()->get_position();
        road->update(positions, flags);
        for (int lot = 0; lot < 3; ++lot) {
            EXPECT_EQ(flags[lot], lot == c.lot) << "road " << c.road << " lot " << lot;
            EXPECT_EQ(positions[lot], lot == c.lot ? parked_at : Point()) << "road " << c.road;
        }
        if (c.lot < 0)
            continue;
        positions[c.lot] = Point(500, 500);  // the pedestrian walks off
        road->update(positions, flags);
        EXPECT_EQ(positions[c.lot], Point(500, 500)) << "road " << c.road;
    }
}

}  // namespace
