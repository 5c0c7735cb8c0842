// Vehicle parking, and the figures of the kinds as the log shows them.
#include "core/session.h"
#include "vehicles.h"

#include <tavro/display.h>
#include "hosts/headless/headless_driver.h"
#include "core/run_mode.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

using namespace tavro;

namespace {

using Lines = std::vector<std::string>;

TEST(Vehicle, StaysParkedNineteenTicksAndParkingAgainDoesNotRestartTheStay)
{
    YellowCar car;
    EXPECT_FALSE(car.tick_parking());  // never parked
    car.park();
    for (int i = 1; i < Vehicle::PARK_TICKS; ++i)
        EXPECT_TRUE(car.tick_parking()) << "tick " << i;
    EXPECT_FALSE(car.tick_parking());
    EXPECT_FALSE(car.tick_parking());

    car.park();
    for (int i = 0; i < 10; ++i)
        car.tick_parking();
    car.park();
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(car.tick_parking());
    EXPECT_FALSE(car.tick_parking());
}

struct FigureCase {
    const char* name;
    std::function<std::unique_ptr<Vehicle>()> make;
    Point position;
    Direction heading;
    int stop_lamp;
    int signal_lamp;
    Lines expected;
};

void PrintTo(const FigureCase& c, std::ostream* out) { *out << c.name; }

template <typename Kind>
std::unique_ptr<Vehicle> make()
{
    return std::make_unique<Kind>();
}

class VehicleFigure : public ::testing::TestWithParam<FigureCase> {};

TEST_P(VehicleFigure, IsDrawnTurnedToItsHeading)
{
    const FigureCase& c = GetParam();
    Display display;
    session().run.set_logging(true);
    tavro::headless_driver().clear_text_lines();
    std::unique_ptr<Vehicle> vehicle = c.make();
    vehicle->set_position(c.position);
    vehicle->set_heading(c.heading);
    int stop_lamp = c.stop_lamp;
    int signal_lamp = c.signal_lamp;
    PedestrianPositions positions{};
    PedestrianFlags flags{};
    vehicle->draw(display, stop_lamp, signal_lamp, positions, flags);
    EXPECT_EQ(tavro::headless_driver().text_lines(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, VehicleFigure,
    ::testing::Values(FigureCase{"YellowCarNorth",
                                 make<YellowCar>,
                                 {10, 20},
                                 NORTH,
                                 18,
                                 2,
                                 {"yellow rectangle with bounding box (10,28) to (16,20), filled",
                                  "yellow rectangle with bounding box (4,22) to (16,12), filled",
                                  "black rectangle with bounding box (7,20) to (10,15), filled"}},
                      FigureCase{"YellowCarEast",
                                 make<YellowCar>,
                                 {10, 20},
                                 EAST,
                                 18,
                                 2,
                                 {"yellow rectangle with bounding box (10,20) to (18,14), filled",
                                  "yellow rectangle with bounding box (2,26) to (12,14), filled",
                                  "black rectangle with bounding box (5,23) to (10,20), filled"}},
                      FigureCase{"PinkCarSouthStopLampRed",
                                 make<PinkCar>,
                                 {0, 0},
                                 SOUTH,
                                 2,
                                 20,
                                 {"sea green circle at (4,-8), radius 2", "sea green circle at (-4,-8), radius 2",
                                  "sea green circle at (-4,3), radius 2", "sea green circle at (4,3), radius 2",
                                  "pink oval with bounding box (-5,5) to (5,-10), filled"}},
                      FigureCase{"BoxTruckWest",
                                 make<BoxTruck>,
                                 {0, 0},
                                 WEST,
                                 18,
                                 2,
                                 {"white rectangle with bounding box (-5,7) to (5,-5), filled",
                                  "red rectangle with bounding box (-12,4) to (-5,-4), filled"}},
                      FigureCase{
                          "BicycleEastSignalSeaGreen",
                          make<Bicycle>,
                          {0, 0},
                          EAST,
                          18,
                          20,
                          {"white circle at (9,-4), radius 2", "white circle at (-4,-4), radius 2",
                           "black line from (-4,-4) to (9,-4), width 1", "black line from (9,5) to (9,-4), width 1",
                           "black line from (-1,-4) to (-1,4), width 1", "black line from (1,2) to (-3,2), width 1"}}),
    [](const ::testing::TestParamInfo<FigureCase>& info) { return std::string(info.param.name); });

}  // namespace
