// Boxes given by two corner pixels, and their outlines drawn with a square pen.
#pragma once

#include "canvas/pixels/pixel_writer.h"

namespace tavro {

// Both corners belong to the box, whichever way round the caller gave them.
PixelBox box_between(const PenPoint& a, const PenPoint& b);

// The box's outline, pen pixels wide and centred on its outermost rows and columns.
void frame_box(PixelWriter& writer, const PixelBox& box, long long pen);

}  // namespace tavro
