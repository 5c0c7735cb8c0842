// Points the package's drawing at another canvas while it lives, so that one
// process can draw the same calls with two canvases.
#pragma once

#include "package_state.h"
#include "platform.h"

class CanvasRedirect {
public:
    explicit CanvasRedirect(tavro::Canvas& canvas) : previous_(tavro::package_state.windows.image)
    {
        tavro::package_state.windows.image = &canvas;
    }
    ~CanvasRedirect() { tavro::package_state.windows.image = previous_; }
    CanvasRedirect(const CanvasRedirect&) = delete;
    CanvasRedirect& operator=(const CanvasRedirect&) = delete;

private:
    tavro::Canvas* previous_;
};
