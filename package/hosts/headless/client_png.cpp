// Headless host: the graphics window's client area as a PNG file (Cairo builds).
#include "headless_host.h"

namespace tavro {

bool HeadlessHost::write_client_png(const std::string& path) const
{
    return canvas().write_png(path, 0, 0, CLIENT_WIDTH, CLIENT_HEIGHT);
}

}  // namespace tavro
