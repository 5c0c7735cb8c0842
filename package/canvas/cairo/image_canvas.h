// The off-screen image that hosts without a platform image of their own (the
// headless host) draw into on builds with Cairo.
#pragma once

#include "cairo_canvas.h"

namespace tavro {
using ImageCanvas = CairoCanvas;
}
