// city-render: runs the city headless and writes its last frame, an animation and the log.
#include "render_options.h"
#include "render_run.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::string error;
    const auto options = parse_render_options(argc, argv, error);
    if (!options) {
        std::cerr << "city-render: " << error << " (" << RENDER_USAGE << ")\n";
        return 2;
    }
    return run_city_render(*options, std::cout);
}
