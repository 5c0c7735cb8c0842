#include "core/session.h"
#include "scenery.h"

#include <tavro/display.h>
#include "hosts/headless/headless_driver.h"
#include "core/run_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavro;

namespace {

std::vector<std::string> logged_scenery(Display& display)
{
    tavro::headless_driver().clear_text_lines();
    draw_scenery(display);
    return tavro::headless_driver().text_lines();
}

// One frame of scenery as the log shows it, corners already normalised by the package.
const std::vector<std::string> EXPECTED_FRAME = {
    "Flushing the graphics window",
    "Clearing the graphics window",
    "sea green rectangle with bounding box (-300,250) to (300,-250), filled",
    "blue oval with bounding box (-125,-25) to (78,-125), filled",
    "forest green rectangle with bounding box (130,250) to (300,30), filled",
    "black text at (145,150), \"Gasworks Park\"",
    "black rectangle with bounding box (-294,-213) to (-257,-250) with line width 1",
    "black rectangle with bounding box (-257,-213) to (-220,-250) with line width 1",
    "black text at (-290,-215), \"Decrease cars -\"",
    "black text at (-290,-200), \"Increase cars +\"",
    "black line from (-275,-240) to (-275,-222), width 1",
    "black line from (-284,-231) to (-263,-231), width 1",
    "black line from (-244,-231) to (-229,-231), width 1",
    "blue oval with bounding box (225,125) to (290,40), filled",
    // school
    "black rectangle with bounding box (-219,-54) to (-179,-79) with line width 1",
    "yellow rectangle with bounding box (-225,-60) to (-185,-85), filled",
    "yellow rectangle with bounding box (-220,-55) to (-180,-80), filled",
    "black rectangle with bounding box (-224,-59) to (-184,-86) with line width 1",
    "black line from (-184,-86) to (-179,-79), width 1",
    "black line from (-184,-60) to (-179,-54), width 1",
    "black line from (-225,-60) to (-219,-54), width 1",
    "black text at (-221,-75), \"School\"",
    // tower
    "black oval with bounding box (135,-145) to (165,-155), line width 3",
    "black oval with bounding box (130,-140) to (170,-150), filled",
    "black line from (150,-145) to (150,-120), width 2",
    "black line from (144,-154) to (140,-200), width 2",
    "black line from (155,-154) to (159,-200), width 2",
    "black line from (150,-154) to (150,-194), width 2",
    "black text at (200,-145), \"Space Needle\"",
    // store
    "black rectangle with bounding box (-63,-205) to (37,-245) with line width 1",
    "red rectangle with bounding box (-69,-211) to (31,-251), filled",
    "red rectangle with bounding box (-64,-206) to (36,-246), filled",
    "black rectangle with bounding box (-68,-210) to (32,-250) with line width 1",
    "black line from (32,-250) to (37,-245), width 1",
    "black line from (32,-211) to (37,-206), width 1",
    "black line from (-69,-211) to (-63,-205), width 1",
    "red pixel at (-65,-209)",
    "black text at (-45,-230), \"K-MART\"",
    "ice blue rectangle with bounding box (265,-230) to (300,-250), filled",
    "white text at (265,-250), \"Snow\"",
};

TEST(Scenery, OneFrameLogsEveryItemInOrder)
{
    Display display;
    session().run.set_logging(true);
    EXPECT_EQ(logged_scenery(display), EXPECTED_FRAME);
}

int pixels_of(tavro::Rgb colour)
{
    const tavro::Canvas& image = tavro::headless_driver().canvas();
    int count = 0;
    for (int row = 0; row < tavro::Canvas::HEIGHT; ++row) {
        for (int column = 0; column < tavro::Canvas::WIDTH; ++column) {
            count += image.pixel(column, row) == colour;
        }
    }
    return count;
}

TEST(Scenery, RedrawingGivesTheSameFrameAndCoversWhatWasThere)
{
    Display display;
    session().run.set_logging(true);
    const std::vector<std::string> first = logged_scenery(display);

    // Purple is no colour of the scenery: none of the circle survives the next frame.
    const tavro::Rgb purple{153, 0, 204};
    display.draw_circle(0, 0, 40, COLOUR_PURPLE);
    ASSERT_GT(pixels_of(purple), 0);
    EXPECT_EQ(logged_scenery(display), first);
    EXPECT_EQ(pixels_of(purple), 0);
}

}  // namespace
