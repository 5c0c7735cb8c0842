// Points the package's drawing at another canvas while it lives, so that one
// process can draw the same calls with two canvases.
#pragma once

#include "core/session.h"
#include "seam/host.h"

class CanvasRedirect {
public:
    explicit CanvasRedirect(tavro::Canvas& canvas) : previous_(tavro::session().windows.redirect(&canvas)) {}
    ~CanvasRedirect() { tavro::session().windows.redirect(previous_); }
    CanvasRedirect(const CanvasRedirect&) = delete;
    CanvasRedirect& operator=(const CanvasRedirect&) = delete;

private:
    tavro::Canvas* previous_;
};
