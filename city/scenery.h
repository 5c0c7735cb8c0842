// The fixed background of every frame: ponds, park, buttons, school, tower, store.
#pragma once

class Display;

// Clears the drawing area and paints the background; the rest of the frame goes on top.
void draw_scenery(Display& display);
