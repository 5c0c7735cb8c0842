// The off-screen image that hosts without a platform image of their own (the
// headless host) draw into on the Windows build: a GDI memory bitmap.
#pragma once

#include "gdi_canvas.h"

namespace tavro {
using ImageCanvas = GdiCanvas;
}
