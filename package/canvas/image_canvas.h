// The off-screen image of a host without a platform image of its own (the headless host):
// the canvas library the executable links makes it (Cairo, or GDI on Windows).
#pragma once

#include "seam/canvas.h"

#include <memory>

namespace tavro {

std::unique_ptr<Canvas> make_image_canvas();

}  // namespace tavro
