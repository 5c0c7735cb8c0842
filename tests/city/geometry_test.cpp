// Point movement, quarter turns and direction arithmetic.
#include "geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(Geometry, MoveGoesAlongTheFourDirectionsOnly)
{
    const struct {
        Direction direction;
        int distance;
        Point expected;
    } cases[] = {{EAST, 2, {12, 10}}, {SOUTH, 3, {10, 7}}, {7, 5, {10, 10}}, {-1, 5, {10, 10}}};
    for (const auto& c : cases) {
        Point p(10, 10);
        p.move(c.direction, c.distance);
        EXPECT_EQ(p, c.expected) << "direction " << c.direction;
    }
}

TEST(Geometry, RotationIsClockwiseAndReducesTurnCountsModuloFour)
{
    // One quarter turn about the origin.
    const Point starts[] = {{0, 5}, {4, 9}, {-5, 9}};
    const Point turned[] = {{5, 0}, {9, -4}, {9, 5}};
    for (int i = 0; i < 3; ++i) {
        Point p = starts[i];
        p.rotate_about(0, 0, 1);
        EXPECT_EQ(p, turned[i]);
    }
    // (3, 8) about (1, 1) is the offset (2, 7); counts outside 0..3 must end too.
    const struct {
        int turns;
        Point expected;
    } counts[] = {{2, {-1, -6}}, {4, {3, 8}}, {5, {8, -1}}, {-1, {-6, 3}}, {-400001, {-6, 3}}};
    for (const auto& c : counts) {
        Point p(3, 8);
        p.rotate_about(1, 1, c.turns);
        EXPECT_EQ(p, c.expected) << c.turns << " turns";
    }
    Point p(13, -4);
    for (int i = 0; i < 4; ++i)
        p.rotate_about(2, 5, 1);
    EXPECT_EQ(p, Point(13, -4));
}

TEST(Geometry, DirectionArithmeticMapsNonDirectionsToNorth)
{
    EXPECT_EQ(turn_right(WEST), NORTH);
    EXPECT_EQ(turn_left(NORTH), WEST);
    EXPECT_EQ(opposite(EAST), WEST);
    for (const Direction d : {4, -1}) {
        EXPECT_EQ(turn_right(d), NORTH);
        EXPECT_EQ(turn_left(d), NORTH);
        EXPECT_EQ(opposite(d), NORTH);
        EXPECT_FALSE(is_direction(d));
    }
}

}  // namespace
